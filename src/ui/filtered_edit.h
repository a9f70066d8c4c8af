// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A text box that lets in only what its key filter accepts: digits for the coordinates; for the
// name, letters of any script (in capitals), blanks, and a hyphen or apostrophe after a letter. A refused key shows its message and changes nothing;
// pasted or dropped text is held to the same rule and refused whole.

#include <QClipboard>
#include <QLineEdit>

#include "ui/platform.h"

namespace halvora::ui {

class FilteredEdit : public QLineEdit {
  Q_OBJECT
 public:
  enum class Filter {
    Digits,   // "0".."9"; anything else: "Only Numbers Are Accepted", error icon
    Letters,  // a name as files keep it (forms::CapitalisedName), letters turned to capitals; else
              // "Please Enter only Letters"
  };

  FilteredEdit(Filter filter, MessageBoxes& messages, QWidget* parent = nullptr);

  // Whether the filter lets the whole text in (before its letters are turned to capitals).
  static bool admits(Filter filter, const QString& text);

 public slots:
  // Pastes the clipboard's text when the filter accepts all of it; else refuses it with the message.
  void paste();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void pasteFrom(QClipboard::Mode mode);
  void guardEdit(const QString& text);
  void refuse();
  bool acceptsAll(const QString& text) const;
  QString withTyped(const QString& typed) const;

  Filter m_filter;
  MessageBoxes& m_messages;
  QString m_accepted;  // the last text the filter let through
};

}  // namespace halvora::ui

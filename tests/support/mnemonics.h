// The Alt+letter mnemonics of a window's push buttons, as the keyboard reaches them: the
// buttons that have none and the letters two buttons share.
#pragma once

#include <QPushButton>
#include <QSet>
#include <QStringList>

#include <string>

namespace p528::test {

struct ButtonMnemonics {
  QSet<QChar> letters;  // lower case
  QStringList without;  // texts of the buttons without a mnemonic
  QStringList shared;   // texts of the buttons whose letter an earlier button has

  // "" when every button has a letter of its own; else which do not, in words.
  std::string Faults() const {
    QString text;
    if (!without.isEmpty()) text += "without: " + without.join(" | ") + "; ";
    if (!shared.isEmpty()) text += "letter taken: " + shared.join(" | ");
    return text.toStdString();
  }
};

inline ButtonMnemonics MnemonicsOf(const QWidget& window,
                                   Qt::FindChildOptions options = Qt::FindChildrenRecursively) {
  ButtonMnemonics found;
  for (const QPushButton* button : window.findChildren<QPushButton*>(options)) {
    const QString text = button->text();
    const qsizetype at = text.indexOf('&');
    if (at < 0 || at + 1 >= text.size()) {
      found.without << text;
      continue;
    }
    const QChar letter = text[at + 1].toLower();
    if (found.letters.contains(letter)) found.shared << text;
    found.letters.insert(letter);
  }
  return found;
}

}  // namespace p528::test

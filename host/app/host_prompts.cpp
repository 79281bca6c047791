#include "host_prompts.h"

#include "host_texts.h"

#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace p528::host {

void DesktopPrompts::Tell(QWidget* parent, const QString& text, bool error) {
  QMessageBox box(error ? QMessageBox::Warning : QMessageBox::Information, Tr(Text::AppTitle), text,
                  QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setText(Tr(Text::Ok));
  box.exec();
}

bool DesktopPrompts::Confirm(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, Tr(Text::AppTitle), text, QMessageBox::Ok | QMessageBox::Cancel,
                  parent);
  box.button(QMessageBox::Ok)->setText(Tr(Text::Ok));
  box.button(QMessageBox::Cancel)->setText(Tr(Text::Cancel));
  return box.exec() == QMessageBox::Ok;
}

void PrintedPrompts::Tell(QWidget*, const QString& text, bool error) {
  std::printf("%s: %s\n", error ? "error" : "message", text.toUtf8().constData());
  std::fflush(stdout);
}

bool PrintedPrompts::Confirm(QWidget*, const QString& text) {
  std::printf("confirm: %s\n", text.toUtf8().constData());
  std::fflush(stdout);
  return true;
}

}  // namespace p528::host

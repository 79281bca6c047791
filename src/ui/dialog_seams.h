// The window layer's questions to the person at the desktop: message boxes, the colour
// chooser, the save-file dialog and opening a file in the desktop's default viewer. Every
// window and dialog asks through one DialogSeams object, so the headless tests answer
// these questions in place of a person (tests/ui derive from it and record the calls).
//
// Ownership: the main window holds a pointer to the seams it was given (the default
// DesktopSeams when none); the object must outlive every window that uses it.
// User-interface thread only.
#pragma once

#include <QColor>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <optional>

class QWidget;

namespace p528::ui {

class DialogSeams {
 public:
  enum class MessageKind { Information, Warning, Error };

  virtual ~DialogSeams() = default;
  // A modal message box with one "OK" button.
  virtual void ShowMessage(QWidget* parent, const QString& caption, const QString& text,
                           MessageKind kind) = 0;
  // The colour chooser opened on `initial`; nothing when the person cancels.
  virtual std::optional<QColor> ChooseColour(QWidget* parent, const QColor& initial) = 0;
  // The save-file dialog (no overwrite prompt); nothing when the person cancels.
  virtual std::optional<QString> AskSaveFileName(QWidget* parent, const QString& caption,
                                                 const QString& defaultName, const QString& filter) = 0;
  // Opens `path` with the desktop's default viewer; false when the desktop refused.
  virtual bool OpenWithViewer(const QString& path) = 0;
};

// The real desktop: Qt's own dialogs and services.
class DesktopSeams final : public DialogSeams {
 public:
  void ShowMessage(QWidget* parent, const QString& caption, const QString& text, MessageKind kind) override {
    const QMessageBox::Icon icon = kind == MessageKind::Error     ? QMessageBox::Critical
                                   : kind == MessageKind::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Information;
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
  }
  std::optional<QColor> ChooseColour(QWidget* parent, const QColor& initial) override {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
  }
  std::optional<QString> AskSaveFileName(QWidget* parent, const QString& caption, const QString& defaultName,
                                         const QString& filter) override {
    const QString name = QFileDialog::getSaveFileName(parent, caption, defaultName, filter, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) return std::nullopt;
    return name;
  }
  bool OpenWithViewer(const QString& path) override {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  }
};

}  // namespace p528::ui

// Scripted actions for tests and pictures (plug528-host --script FILE): after start-up the
// host runs the file's lines in order, one per turn of the event loop, printing what each
// did to standard output, and quits at the end (exit status 1 when an action failed).
// Messages that would open a message box are printed instead (PrintedPrompts), and the
// runner answers the modal dialogs (DialogDriver) as the script told it to: the dialogs are
// shown for real and end by themselves. Nothing of this runs in daily work.
//
// One action per line; blank lines and lines starting with "#" are skipped:
//   import PATH...            import files and folders as the import commands do
//   list                      print "assay ID|SAMPLE|ROLE|FILE|hidden|deleted" per shown row
//   hide ID / unhide ID / delete ID / restore ID
//   role ID ROLE              change the role of assay ID (calibration, blank, analysis,
//                             standard, reference, check)
//   show hidden|deleted|both|none
//                             which of the hidden and deleted assays the list shows
//   filter TEXT               type TEXT into the main window's filter ("" clears it)
//   answer-chooser all|cancel|ID,ID... [picture FILE]
//                             how the next assay chooser answers (it is shown for real)
//   answer-role calibration|blank|analysis|standard|reference|check|rules|cancel [picture FILE]
//                             how the next role question of an import answers (shown for
//                             real): every file that role, or each the role the rules
//                             propose; prints "question FILE|SAMPLE|ROLE" per file as
//                             answered. Without an answer a scripted run cancels the question
//   choose [CAPACITY]         call "Main/OpenAssayIdDlgEx" as a plug-in does (capacity 256)
//                             and print "chosen N: ID ID..."
//   menu PATH                 trigger the menu item at PATH ("Данные/Расчёты/...")
//   open ID                   call "Main/OpenAssayFile" with the file of assay ID
//   profile-set-int KEY N / profile-set-text KEY TEXT / profile-get KEY
//                             the profile services, as a plug-in calls them
//   services                  print "service NAME: yes|no" for the known service names
//   plugins                   print "plugin SHORTNAME PATH" for each loaded plug-in
//   picture main|viewer|NAME FILE
//                             grab the host window, the last viewer or the control NAME
//                             (a plug-in's window: "102") into a PNG file
//   windows                   print "window NAME|TITLE" for each visible top-level window
//   click NAME / set-text NAME TEXT / text NAME
//                             press a button, type into an edit field, print a field's
//                             text; NAME is the control's object name (its control id)
//   cells NAME                print "columns NAME CAPTION|..." and "cells NAME ROW|CELL|..."
//                             for each row of a list, in the columns shown
//   tab NAME INDEX            show the page INDEX (from 0) of a tab control
//                             NAME may be a path: "1005/1040" is 1040 inside 1005, the
//                             shown one first (the list of the page on show)
//   stats                     print "stats ELAPSED_MS RSS_KB": time since the host started
//                             and the process's resident memory (benchmarks)
//   wait MS                   let the event loop run for MS milliseconds
//   quit                      stop here
#pragma once

#include "dialog_driver.h"

#include <QObject>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace p528::host {

class HostApp;

class ScriptRunner : public QObject, public DialogDriver {
  Q_OBJECT

 public:
  ScriptRunner(HostApp& app, QStringList lines);
  // Starts with the first line on the next turn of the event loop.
  void Start();
  bool failed() const { return failed_; }

  void Drive(QDialog& dialog) override;

  // One line split for its action: the text after the verb and its words.
  struct Line {
    QString text;
    QString rest;
    QStringList words;
  };
  void Fail(const QString& text);
  HostApp& app() { return app_; }

  // What the next dialogs answer (Drive).
  struct DialogAnswer {
    bool cancel = false;
    int role = 0;                         // role question: 1..6, 0 the rules
    std::optional<std::vector<int>> ids;  // chooser: nullopt every shown row
    QString picture;                      // grabbed before the dialog ends
  };
  std::deque<DialogAnswer> chooserAnswers;
  std::deque<DialogAnswer> roleAnswers;

 private:
  void Next();

  HostApp& app_;
  QStringList lines_;
  int next_ = 0;
  bool failed_ = false;
};

}  // namespace p528::host

// Scripted actions for tests and pictures (plug528-host --script FILE): after start-up the
// host runs the file's lines in order, one per turn of the event loop, printing what each
// did to standard output, and quits at the end (exit status 1 when an action failed).
// Messages that would open a message box are printed instead (PrintedPrompts).
//
// One action per line; blank lines and lines starting with "#" are skipped:
//   import PATH...            import files and folders as the import commands do
//   list                      print "assay ID|SAMPLE|ROLE|FILE|hidden" for each shown row
//   hide ID / unhide ID / delete ID
//   answer-chooser all|cancel|ID,ID... [picture FILE]
//                             how the next assay chooser answers (it is shown for real)
//   answer-role calibration|blank|analysis|standard|reference|check|rules|cancel [picture FILE]
//                             how the next role question of an AIA import answers (shown
//                             for real); "rules": by the sample name rules of the profile.
//                             Without an answer a scripted run cancels the question
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
//   wait MS                   let the event loop run for MS milliseconds
//   quit                      stop here
#pragma once

#include <QObject>
#include <QStringList>

namespace p528::host {

class HostApp;

class ScriptRunner : public QObject {
  Q_OBJECT

 public:
  ScriptRunner(HostApp& app, QStringList lines);
  // Starts with the first line on the next turn of the event loop.
  void Start();
  bool failed() const { return failed_; }

 private:
  void Next();
  bool Run(const QString& line);  // false: stop
  void Fail(const QString& text);

  HostApp& app_;
  QStringList lines_;
  int next_ = 0;
  bool failed_ = false;
};

}  // namespace p528::host

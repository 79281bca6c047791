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
//   choose [CAPACITY]         call "Main/OpenAssayIdDlgEx" as a plug-in does (capacity 256)
//                             and print "chosen N: ID ID..."
//   menu PATH                 trigger the menu item at PATH ("Данные/Расчёты/...")
//   open ID                   call "Main/OpenAssayFile" with the file of assay ID
//   profile-set-int KEY N / profile-set-text KEY TEXT / profile-get KEY
//                             the profile services, as a plug-in calls them
//   services                  print "service NAME: yes|no" for the known service names
//   plugins                   print "plugin SHORTNAME PATH" for each loaded plug-in
//   picture main|viewer FILE  grab the window into a PNG file
//   windows                   print "window NAME|TITLE" for each visible top-level window
//   click NAME / set-text NAME TEXT / text NAME
//                             press a button, type into an edit field, print a field's
//                             text; NAME is the control's object name (its control id)
//   cells NAME                print "cells NAME ROW|CELL|CELL..." for each row of a list
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

// The main window: a source pane with the rewritten form text, a component
// pane with the log of every load, and the load and exit buttons.
#pragma once

#include <string>

#include "controls/Forms.h"

class TMemo;
class TOpenDialog;
class TPanel;
class TButton;
class TLabel;

class TForm1 : public TForm {
  TESSALY_CLASS(TForm1)

 public:
  // Creates the window from its own form description.
  explicit TForm1(TComponent* owner);

  // The load command: choose a form file and preview it.
  void btn1Click(TPersistent* sender);
  // Loads a form file, or a form of a program or resource file (the user
  // picks one when it holds several), as the load command does.
  void OpenFormFile(const std::string& path);
  // The exit command: close the window, which ends the program.
  void btn2Click(TPersistent* sender);

  // The window's components, found by name once the description is read.
  TMemo* mmo1 = nullptr;  // source pane
  TMemo* mmo2 = nullptr;  // component pane
  TOpenDialog* dlgOpen = nullptr;
  TPanel* Panel1 = nullptr;
  TButton* btn1 = nullptr;
  TButton* Btn2 = nullptr;
  TPanel* Panel2 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
};

extern TForm1* Form1;

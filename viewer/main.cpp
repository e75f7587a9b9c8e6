// Tessaly's start-up: register the component classes, initialise the
// application, create the main window from its description, run until it
// closes.
#include "Unit1.h"
#include "Unit2.h"

int main(int argc, char** argv) {
  RegisterPreviewClasses();
  (void)argc;
  (void)argv;
  Application->Initialize();
  Application->CreateForm<TForm1>();
  Application->Run();
  return 0;
}

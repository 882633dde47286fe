// orvconfig: the lambda-probe ECU configuration tool.

#include <exception>

#include "Qtprogram.h"

int main(int argc, char** argv) {
  orv::qtui::TOrvApplication application(argc, argv);
  try {
    orv::qtui::TQtProgram program({});
    program.Show();
    return program.Exec();
  } catch (const std::exception& error) {
    // Start-up failed: the message, then the program ends.
    orv::qtui::ShowException(&error);
  } catch (...) {
    orv::qtui::ShowException(nullptr);
  }
  return 1;
}

#pragma once
// The one Qt application object of a test program. Never destroyed: Qt's own
// globals are gone by the time static objects are.
template <typename Application>
Application& ApplicationDeTest() {
  static int argc = 1;
  static char nom[] = "selvane-test";
  static char* argv[] = {nom, nullptr};
  static Application* application = new Application(argc, argv);
  return *application;
}

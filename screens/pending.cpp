// Functions whose real code has not landed yet. Each is deleted from here by the change that
// builds it; this file goes away before anything is called done.
#include "shell/application.h"

void Application::titleFrame() {}
void Application::nameEntryFrame(std::int32_t) {}
void Application::playRoutine() {}

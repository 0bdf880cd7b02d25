// The program entry: the one application object with static storage, and its run.
#include "shell/application.h"

Application theApplication;

int main() { return theApplication.run(); }

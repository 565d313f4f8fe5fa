#include "gui/app/vantrell_app.h"

int main(int argc, char** argv) { return vantrell::gui::RunVantrellApp(argc, argv); }

// Program entry. Until the main window exists the program only loads the
// catalogue, which proves the data folder and the file are reachable.
#include <windows.h>

#include "catalogue_file.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MyApp::LoadCatalogue();
    return 0;
}

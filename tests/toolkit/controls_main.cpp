// The controls tests run inside a program with a main window of its own, as
// the launcher does: the forms the tests make and destroy are then dialogs
// whose destruction does not end the message loop.
#include <gtest/gtest.h>
#include <windows.h>

#include "form.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    OrvoUtility::Form mainForm(GetModuleHandleW(nullptr));
    mainForm.text = L"controls tests";
    mainForm.Create();
    return RUN_ALL_TESTS();
}

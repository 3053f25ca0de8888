// Runs the GoogleTest cases of a GUI test program inside a Wine desktop, where the exit code does
// not reach the caller: "--result=PATH" names a file that receives it instead.
#pragma once

namespace skin_test {
int RunGuiTests(int argc, char** argv);
}

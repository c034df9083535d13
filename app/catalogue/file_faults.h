// Failures on demand for the steps of loading and saving the catalogue, so
// that tests can show what a held file or a full disk does to each step.
#pragma once

#include "file_system.h"

namespace MyApp {

enum class FileStep { Read, KeepAside, Backup, Create, Write, Flush, Close, Replace };

// Makes the attempt-th coming call (from 1) of the step fail with `error`;
// an attempt of 0 lifts it. One step at a time can be made to fail.
void FailFileStepForTests(FileStep step, int attempt, SystemError error);

// True when a test made this call of the step fail; `error` then says why.
bool InjectedFailure(FileStep step, SystemError& error);

}  // namespace MyApp

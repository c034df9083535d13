#include "file_faults.h"

namespace MyApp {

namespace {

struct PlannedFailure {
    FileStep step = FileStep::Read;
    int callsLeft = 0;
    SystemError error = 0;
};

PlannedFailure planned;

}  // namespace

void FailFileStepForTests(FileStep step, int attempt, SystemError error) {
    planned = PlannedFailure{step, attempt, error};
}

bool InjectedFailure(FileStep step, SystemError& error) {
    if (planned.callsLeft == 0 || planned.step != step || --planned.callsLeft > 0) {
        return false;
    }
    error = planned.error;
    return true;
}

}  // namespace MyApp

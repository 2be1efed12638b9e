// The words the user reads when something goes wrong.
#pragma once

#include <exception>
#include <string>

#include "core/run_time_error.h"

namespace tallyvane {

// Message for an error the window reports and then carries on from.
std::string DescribeError(const RunTimeError& error);

// Message of the last-resort report, shown just before the program ends.
std::string DescribeUnexpected(const std::exception_ptr& error);

}  // namespace tallyvane

// The words the user reads when something goes wrong.
#pragma once

#include <exception>
#include <string>

#include "core/run_time_error.h"

namespace tallyvane {

// Message for an error the window reports and then carries on from.
std::string DescribeError(const RunTimeError& error);

// What a refused save in a protected folder asks, after its message, where the editor can start
// again as administrator.
inline constexpr char kRelaunchQuestion[] =
    "\n\n要以管理员身份重新启动本程序吗？已输入的数值会带到新窗口中，在那里再选择“保存”即可。";

// Message of the last-resort report, shown just before the program ends.
std::string DescribeUnexpected(const std::exception_ptr& error);

}  // namespace tallyvane

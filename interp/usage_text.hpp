// The usage text of kflrun ("kflrun --help").
#pragma once

namespace korvan::kfl {

extern const char* const kflrun_usage;

}  // namespace korvan::kfl

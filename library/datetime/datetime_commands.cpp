#include "library/datetime/datetime_commands.h"

#include <cmath>

#include "library/commands/args.h"
#include "library/datetime/date_time.h"

namespace vel {
namespace {

void part_of(ResultRecord* result, int count, const ArgRecord* args, int part) {
    result->set_int(date_part(arg_at(count, args, 0).to_double(), part));
}

}  // namespace

void cmd_current_time(ResultRecord* result, int, const ArgRecord*) {
    result->set_double(current_date_time());
}

void cmd_date_part(ResultRecord* result, int count, const ArgRecord* args) {
    part_of(result, count, args, arg_at(count, args, 1).to_int());
}

void cmd_get_hour(ResultRecord* result, int count, const ArgRecord* args) {
    part_of(result, count, args, 6);
}

void cmd_get_minute(ResultRecord* result, int count, const ArgRecord* args) {
    part_of(result, count, args, 7);
}

void cmd_get_second(ResultRecord* result, int count, const ArgRecord* args) {
    part_of(result, count, args, 8);
}

void cmd_sine(ResultRecord* result, int count, const ArgRecord* args) {
    result->set_double(std::sin(arg_at(count, args, 0).to_double()));
}

void cmd_cosine(ResultRecord* result, int count, const ArgRecord* args) {
    result->set_double(std::cos(arg_at(count, args, 0).to_double()));
}

void cmd_bitwise_or(ResultRecord* result, int count, const ArgRecord* args) {
    std::uint32_t bits = 0;
    for (int i = 0; i < count; ++i) bits |= static_cast<std::uint32_t>(args[i].to_int());
    result->set_int(static_cast<std::int32_t>(bits));
}

void cmd_colour_value(ResultRecord* result, int count, const ArgRecord* args) {
    const auto component = [&](int i) {
        return static_cast<std::uint32_t>(arg_at(count, args, i).to_int()) & 0xFFu;
    };
    result->set_int(
        static_cast<std::int32_t>(component(0) | component(1) << 8 | component(2) << 16));
}

}  // namespace vel

#include "bot/expert_plan.h"

namespace kalvex::bot {

namespace {

constexpr std::uint16_t kFiveColours[] = {
#include "bot/expert_plan_5.inc"
};

constexpr std::uint16_t kSixColours[] = {
#include "bot/expert_plan_6.inc"
};

} // namespace

std::span<const std::uint16_t> expertPlan(int colours)
{
    if (colours == 5)
        return kFiveColours;
    if (colours == 6)
        return kSixColours;
    return {};
}

} // namespace kalvex::bot

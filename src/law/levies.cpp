#include "law/levies.h"

namespace varemo {
namespace {

Levy levy(bool liable, Money base, Rate rate) {
    Levy l;
    l.liable = liable;
    l.base = base;
    l.rate = rate;
    if (liable) l.amount = contribution(base, rate);
    return l;
}

} // namespace

Levies computeLevies(Money aagBase, Money insolvencyBase, std::int32_t u1Rate, std::int32_t u2Rate,
                     std::int32_t insolvencyRate, const LevyLiability& liability) {
    Levies out;
    out.u1 = levy(liability.u1, aagBase, Rate::fromHundredths(u1Rate));
    out.u2 = levy(liability.u2, aagBase, Rate::fromHundredths(u2Rate));
    out.u3 = levy(liability.insolvency, insolvencyBase, Rate::fromThousandths(insolvencyRate));
    return out;
}

} // namespace varemo

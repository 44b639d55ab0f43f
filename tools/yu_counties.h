// The county codes that YU stations send in the contest exchange.
#pragma once

namespace tools {

const char* const kCounties[] = {"BGD", "BOR", "BRA", "JAB", "JBB", "JBN", "KMO", "KOL",
                                 "KOS", "KPO", "MAC", "MOR", "NIS", "PCI", "PEC", "PIR",
                                 "POD", "POM", "PRI", "RAN", "RAS", "SBB", "SBN", "SBT",
                                 "SRM", "SUM", "TOP", "ZAJ", "ZBB", "ZLA"};
constexpr int kCountyCount = 30;

}  // namespace tools

// The plug-in's exported functions with their exact argument lists, as the
// host calls them. Hosts and tests include this to type the addresses they
// resolve; the plug-in defines them in exports.cpp.
#pragma once

#include "platform/ole_date.h"

#if defined(_WIN32)
#define STATS_EXPORT
#else
#define STATS_EXPORT __attribute__((visibility("default")))
#endif

using StatsDate = plat::OleDate;

extern "C" {

STATS_EXPORT int GetNumberOfSets();
STATS_EXPORT const char* GetSetName(int index);
STATS_EXPORT void SetupSet0();
STATS_EXPORT unsigned long setVersion(const char* version);

STATS_EXPORT int ResetStats0(const char* hostFolder, int reportRun, const char* ownCall,
                             StatsDate* contestStart, StatsDate* contestEnd, const char* t6,
                             const char* t7, const char* t8, const char* t9, const char* t10,
                             const char* t11, const char* t12, const char* t13, const char* t14,
                             const char* ownDxcc, int i16, int i17, int i18, double r19, double r20,
                             const char* t21, const char* ownContinent, const char* t23);

// AddData0 and RemoveData0 share one argument list.
STATS_EXPORT int AddData0(const char* ownCall, const char* call, StatsDate* time, StatsDate* d4,
                          StatsDate* d5, StatsDate* d6, unsigned u7, unsigned frequencyHz,
                          const char* mode, const char* rstSent, const char* rstRcvd,
                          const char* exchSent, const char* exchRcvd, const char* t14,
                          const char* t15, const char* t16, const char* t17, const char* t18,
                          const char* t19, const char* t20, const char* t21, const char* t22,
                          const char* dxcc, int i24, int i25, int i26, double r27, double r28,
                          const char* t29, const char* continent, const char* t31, const char* band,
                          const char* t33);
STATS_EXPORT int RemoveData0(const char* ownCall, const char* call, StatsDate* time, StatsDate* d4,
                             StatsDate* d5, StatsDate* d6, unsigned u7, unsigned frequencyHz,
                             const char* mode, const char* rstSent, const char* rstRcvd,
                             const char* exchSent, const char* exchRcvd, const char* t14,
                             const char* t15, const char* t16, const char* t17, const char* t18,
                             const char* t19, const char* t20, const char* t21, const char* t22,
                             const char* dxcc, int i24, int i25, int i26, double r27, double r28,
                             const char* t29, const char* continent, const char* t31,
                             const char* band, const char* t33);

STATS_EXPORT int CheckCall0(const char* call, unsigned u2, unsigned u3, const char* mode,
                            const char* t5, const char* t6, const char* t7, const char* t8,
                            const char* t9, const char* t10, const char* t11, const char* t12,
                            const char* t13, const char* dxcc, int i15, int i16, int i17,
                            double r18, double r19, const char* t20, const char* t21,
                            const char* t22, const char* t23, const char* t24, const char* band,
                            const char* secondBand, char* prevExchange, char* b28);

STATS_EXPORT int GetExchgCount0(const char* t1, const char* t2, const char* t3);
STATS_EXPORT int IsValidExchg0(const char* exchange, const char* t2, const char* t3, const char* t4,
                               int i5, int i6, int i7);
STATS_EXPORT const char* GetResult0(int* hostValue);

}  // extern "C"

// Pointer types for hosts that resolve the functions at run time.
using GetNumberOfSetsFn = decltype(&GetNumberOfSets);
using GetSetNameFn = decltype(&GetSetName);
using SetupSet0Fn = decltype(&SetupSet0);
using SetVersionFn = decltype(&setVersion);
using ResetStats0Fn = decltype(&ResetStats0);
using AddData0Fn = decltype(&AddData0);
using RemoveData0Fn = decltype(&RemoveData0);
using CheckCall0Fn = decltype(&CheckCall0);
using GetExchgCount0Fn = decltype(&GetExchgCount0);
using IsValidExchg0Fn = decltype(&IsValidExchg0);
using GetResult0Fn = decltype(&GetResult0);

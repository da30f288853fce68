// Chebyshev coefficient tables of the special functions.
#ifndef STATISTICS_CHEBYSHEVTABLES_H
#define STATISTICS_CHEBYSHEVTABLES_H

extern const double stats_cs_gamcs[42];
extern const double stats_cs_algmcs[15];
extern const double stats_cs_alnrcs[43];
extern const double stats_cs_erfcs[21];
extern const double stats_cs_erc2cs[49];
extern const double stats_cs_erfccs[59];

#endif

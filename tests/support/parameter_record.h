// A parameter record built from its table row, as the engine builds it, for tests of records on their own.
#pragma once

#include "params/parameter.h"
#include "params/parameter_table.h"

inline Parameter tableRecord(int index)
{
    const ParameterRow& row = kParameterTable[index];
    Parameter p(row.kind, row.displayable, row.name, row.shortName, row.unit, row.minimum, row.maximum);
    if (index == kLfo1Rate || index == kLfo2Rate)
        p.setSyncList(kSyncDivisionCount, kLfoMinimumRateHz, kLfoMaximumRateHz, kSyncDivisionLabels,
                      kSyncDivisionFactors);
    return p;
}

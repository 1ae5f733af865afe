// Text of numbers in the report: locale-free, "." as decimal separator.
#pragma once

#include <cstdint>
#include <string>

// The general format with 15 significant digits: fixed notation for magnitudes from 0.00001
// up to 15 digits before the point, otherwise mantissa, "E" and exponent.
std::string FormatReal(long double Value);
// The formula as Print writes it.
class TFALFormula;
std::string Printed(TFALFormula* F);
// A formula label: "F" or "R" and the index.
std::string Label(char Prefix, std::int64_t Index);
// Fixed-point notation with exactly two decimals.
std::string FormatFixed2(double Value);

// Runs one set of judgements on both paths of the bound solver and tells where the
// screened path leaves anything other than the plain one: a field of the record or of its
// model (bit for bit), the halving count, or the error and its message. No test framework,
// so that the fuzz targets can use it too.
#pragma once

#include <array>
#include <cstring>
#include <exception>
#include <string>
#include <typeinfo>

#include "SolverRecord.h"

struct TBoundsCase {
  Extended ap = 6.5L, p = 0.1L, m = 7, br = 10.5L, r = 0.9L, n = 7;
  Extended xs = 9.588495255L, s = 0.8L;
  bool search = false;  // additional-quantile mode: the power search, else one solve
};

namespace bounds_paths {

inline constexpr std::array kRecordFields{
    &SolverRecord::LowerBound,         &SolverRecord::UpperBound,
    &SolverRecord::ModeProbability,    &SolverRecord::ModeProbabilityLimit,
    &SolverRecord::LowerQuantile,      &SolverRecord::ModeValue,
    &SolverRecord::UpperQuantile,      &SolverRecord::Power,
    &SolverRecord::ExtraQuantile,      &SolverRecord::LowerLevel,
    &SolverRecord::UpperLevel,         &SolverRecord::ExtraLevel,
    &SolverRecord::LowerRatio,         &SolverRecord::UpperRatio,
    &SolverRecord::ModeFraction,       &SolverRecord::UniformLowerBound,
    &SolverRecord::UniformUpperBound,  &SolverRecord::UniformExtraQuantile,
    &SolverRecord::LimitExtraQuantile, &SolverRecord::PowerLow,
    &SolverRecord::PowerHigh};
inline constexpr std::array kRecordNames{
    "a",     "b",         "q",         "q-limit",     "a_p",       "m",        "b_r",
    "n",     "x_s",       "p",         "r",           "s",         "A",        "B",
    "theta", "uniform a", "uniform b", "uniform x_s", "limit x_s", "PowerLow", "PowerHigh"};
inline std::array<Extended, 5> ModelFields(const TwoSidedPower& d) {
  return {d.Lower(), d.Mode(), d.Upper(), d.LeftPower(), d.RightPower()};
}

// The ten bytes of an extended value: the padding is not part of it.
inline bool SameBits(Extended a, Extended b) {
  return std::memcmp(&a, &b, 10) == 0;
}

struct TOutcome {
  SolverRecord record;
  int halvings = -1;
  std::string error;  // the type and the message, empty on success
};

// Every field starts from a value of its own, so that a field one path stores and the
// other leaves alone shows.
inline void Run(const TBoundsCase& c, TBoundsPath path, TOutcome& out) {
  Extended start = 0.123L;
  for (const auto field : kRecordFields) {
    out.record.*field = start;
    start += 1.0625L;
  }
  out.record.Model =
      TwoSidedPower(start, start + 1.0625L, start + 2.125L, start + 3.1875L, start + 4.25L);
  SolverRecord& d = out.record;
  d.LowerQuantile = c.ap;
  d.LowerLevel = c.p;
  d.ModeValue = c.m;
  d.UpperQuantile = c.br;
  d.UpperLevel = c.r;
  d.Power = c.n;
  d.ExtraQuantile = c.xs;
  d.ExtraLevel = c.s;
  d.SetBoundsPath(path);
  try {
    if (c.search) {
      d.SearchPower();
    } else {
      d.SolveBounds();
    }
    out.halvings = d.LastHalvings();
  } catch (const std::exception& e) {
    out.error = std::string(typeid(e).name()) + ": " + e.what();
  }
}

// Empty when both paths agree, else what differs.
inline std::string Difference(const TBoundsCase& c) {
  TOutcome plain;
  TOutcome screened;
  Run(c, TBoundsPath::Plain, plain);
  Run(c, TBoundsPath::Screened, screened);
  std::string d;
  if (plain.error != screened.error)
    d += " error \"" + plain.error + "\" against \"" + screened.error + "\";";
  if (plain.halvings != screened.halvings)
    d += " halvings " + std::to_string(plain.halvings) + " against " +
         std::to_string(screened.halvings) + ";";
  for (std::size_t i = 0; i < kRecordFields.size(); ++i) {
    if (!SameBits(plain.record.*kRecordFields[i], screened.record.*kRecordFields[i]))
      d += std::string(" ") + kRecordNames[i] + ";";
  }
  const std::array<Extended, 5> plainModel = ModelFields(plain.record.Model);
  const std::array<Extended, 5> screenedModel = ModelFields(screened.record.Model);
  for (std::size_t i = 0; i < plainModel.size(); ++i) {
    if (!SameBits(plainModel[i], screenedModel[i]))
      d += " a model field;";
  }
  return d;
}

}  // namespace bounds_paths

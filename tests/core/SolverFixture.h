// A working record of the solvers that reads judgements as typed, for the tests of the
// core's solvers.
#pragma once

#include "FakeJudgements.h"
#include "SolverRecord.h"

// A working record of the solvers with the judgements it reads.
struct SolverFixture {
  SolverRecord record;
  FakeJudgements window;

  // Reads the judgements as typed into the record: a text that is not a number raises
  // EInputError before anything changes.
  void ReadInputs() { record.Load(ReadJudgements(window)); }
  // Reads the judgements and fits them in power-parameter mode.
  void FitPower() {
    window.Mode = FitMode::PowerParameter;
    ReadInputs();
    record.SolveBounds();
  }
  // The distribution of the last trial of a power search.
  const TwoSidedPower& Model() const { return record.Model; }
};

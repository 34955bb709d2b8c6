#include "ModelSnippets.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>

#include "FloatErrors.h"

namespace {

// A number with 21 significant digits, in the C locale's notation, which Python, R and
// spreadsheets read alike; a negative number in parentheses, so that no formula reads a
// minus sign before a power as the power's.
std::string Number(Extended value) {
  // Printed into place, not joined to literals: GCC 12 at -O3 warns of an overlap
  // (-Wrestrict, GCC bug 105651) where a literal and a string are added.
  char text[48];
  if (value < 0)
    std::snprintf(text, sizeof text, "(%.21Lg)", value);
  else
    std::snprintf(text, sizeof text, "%.21Lg", value);
  return text;
}

// The numbers of a distribution as the snippets write them; refuses numbers a double
// cannot hold.
struct SnippetNumbers {
  std::string Lower, Mode, Upper, LeftPower, RightPower, StandardMode, ModeProbability;
};

SnippetNumbers NumbersOf(const TwoSidedPower& model) {
  const Extended mu = (model.Mode() - model.Lower()) / (model.Upper() - model.Lower());
  const Extended pi = ModeProbability(model);
  const std::array<Extended, 7> values{
      model.Lower(), model.Mode(), model.Upper(), model.LeftPower(), model.RightPower(), mu, pi};
  for (const Extended value : values) {
    const Extended size = std::fabs(value);
    if (!(size <= DBL_MAX) || (size != 0 && size < DBL_MIN)) {
      throw EFitError(
          "The fit's numbers lie beyond what a double holds (1.7e308, or 2.2e-308 in size), "
          "which the model the code is for could not compute with; express the quantity in "
          "another unit.");
    }
  }
  return {Number(values[0]), Number(values[1]), Number(values[2]), Number(values[3]),
          Number(values[4]), Number(values[5]), Number(values[6])};
}

}  // namespace

std::string PythonQuantileSnippet(const TwoSidedPower& model) {
  const SnippetNumbers n = NumbersOf(model);
  return "import numpy as np\n"
         "\n"
         "\n"
         "def q(u):\n"
         "    \"\"\"Quantile function of the fitted two-sided power distribution: the x with\n"
         "    P(X <= x) = u, for u from 0 to 1 (a number or an array).\"\"\"\n"
         "    a, m, b = " +
         n.Lower + ", " + n.Mode + ", " + n.Upper +
         "\n"
         "    n1, n2 = " +
         n.LeftPower + ", " + n.RightPower +
         "  # the powers below and above m\n"
         "    mu = (m - a) / (b - a)\n"
         "    pm = mu * n2 / ((1 - mu) * n1 + mu * n2)  # P(X <= m)\n"
         "    u = np.asarray(u, dtype=float)\n"
         "    with np.errstate(divide=\"ignore\", invalid=\"ignore\"):\n"
         "        below = a + (b - a) * mu * (u / pm) ** (1 / n1)\n"
         "        above = b - (b - a) * (1 - mu) * ((1 - u) / (1 - pm)) ** (1 / n2)\n"
         "    return np.where(u <= pm, below, above)\n";
}

std::string RQuantileSnippet(const TwoSidedPower& model) {
  const SnippetNumbers n = NumbersOf(model);
  return "# Quantile function of the fitted two-sided power distribution: the x with\n"
         "# P(X <= x) = u, for each u from 0 to 1.\n"
         "q <- function(u) {\n"
         "  a <- " +
         n.Lower + "; m <- " + n.Mode + "; b <- " + n.Upper +
         "\n"
         "  n1 <- " +
         n.LeftPower + "; n2 <- " + n.RightPower +
         "  # the powers below and above m\n"
         "  mu <- (m - a) / (b - a)\n"
         "  pm <- mu * n2 / ((1 - mu) * n1 + mu * n2)  # P(X <= m)\n"
         "  ifelse(u <= pm, a + (b - a) * mu * (pmax(u, 0) / pm)^(1 / n1),\n"
         "         b - (b - a) * (1 - mu) * (pmax(1 - u, 0) / (1 - pm))^(1 / n2))\n"
         "}\n";
}

std::string SpreadsheetQuantileFormula(const TwoSidedPower& model, std::string_view cell) {
  const SnippetNumbers n = NumbersOf(model);
  const std::string u(cell);
  const std::string range = "(" + n.Upper + "-" + n.Lower + ")";
  return "=IF(" + u + "<=" + n.ModeProbability + "," + n.Lower + "+" + range + "*" +
         n.StandardMode + "*(" + u + "/" + n.ModeProbability + ")^(1/" + n.LeftPower + ")," +
         n.Upper + "-" + range + "*(1-" + n.StandardMode + ")*((1-" + u + ")/(1-" +
         n.ModeProbability + "))^(1/" + n.RightPower + "))";
}

// Message sequences recorded by one driver that is built twice: against our
// window system (inside the platform tests) and, cross-compiled, against the
// reference implementation of the interface, whose answers the tests compare
// with ours scenario by scenario.
#pragma once

#include <string>
#include <vector>

namespace seqdriver {

struct ScenarioResult {
  std::string name;
  // "label MESSAGE" rows and "-- step" lines between the steps of a scenario.
  std::vector<std::string> rows;
};

// Every scenario, in order. Each one starts with no windows of its own and
// destroys what it made.
std::vector<ScenarioResult> RunScenarios();

// The names of the scenarios, without running them.
std::vector<std::string> ScenarioNames();
// One scenario by name (no rows for an unknown name).
ScenarioResult RunScenario(const std::string& name);

// "scenario NAME" then its rows, one a line.
std::string FormatResults(const std::vector<ScenarioResult>& results);
std::vector<ScenarioResult> ParseResults(const std::string& text);

}  // namespace seqdriver

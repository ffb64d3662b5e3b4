#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace orvandel::testing {

// Checks `value` against a JSON Schema, the part of it the report's schema uses: $ref into
// $defs, type, const, enum, properties, required, items, minItems, maxItems, minimum, maximum
// and pattern. Returns one line per violation, each with its JSON pointer; empty when valid.
std::vector<std::string> SchemaViolations(const nlohmann::json& value,
                                          const nlohmann::json& schema);

// The schema `check --json` promises, read from the source tree.
const nlohmann::json& CheckReportSchema();

// The violations of a report written as text; a text that is no JSON is one violation.
std::vector<std::string> ReportSchemaViolations(const std::string& reportText);

}  // namespace orvandel::testing

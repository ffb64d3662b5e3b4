#include "support/json_schema.h"

#include <algorithm>
#include <fstream>
#include <regex>

namespace orvandel::testing {
namespace {

using Json = nlohmann::json;

bool HasType(const Json& value, const std::string& type) {
    if (type == "object")
        return value.is_object();
    if (type == "array")
        return value.is_array();
    if (type == "string")
        return value.is_string();
    if (type == "integer")
        return value.is_number_integer();
    if (type == "number")
        return value.is_number();
    if (type == "boolean")
        return value.is_boolean();
    if (type == "null")
        return value.is_null();
    return false;
}

class Validator {
public:
    explicit Validator(const Json& root) : m_root(root) {}

    void Check(const Json& value, const Json& schema, const std::string& at) {
        if (schema.contains("$ref")) {
            const std::string ref = schema["$ref"];
            Check(value, m_root.at(Json::json_pointer(ref.substr(1))), at);
        }
        if (schema.contains("type")) {
            const Json& types = schema["type"];
            bool any = false;
            for (const Json& type : types.is_array() ? types : Json::array({types})) {
                any = any || HasType(value, type.get<std::string>());
            }
            if (!any) {
                Fail(at, "is " + value.dump() + ", not of type " + types.dump());
                return;
            }
        }
        if (schema.contains("const") && value != schema["const"]) {
            Fail(at, "is " + value.dump() + ", not " + schema["const"].dump());
        }
        if (schema.contains("enum")) {
            const Json& options = schema["enum"];
            if (std::find(options.begin(), options.end(), value) == options.end()) {
                Fail(at, "is " + value.dump() + ", not one of " + options.dump());
            }
        }
        if (value.is_number()) {
            if (schema.contains("minimum") && value < schema["minimum"]) {
                Fail(at, "is below " + schema["minimum"].dump());
            }
            if (schema.contains("maximum") && value > schema["maximum"]) {
                Fail(at, "is above " + schema["maximum"].dump());
            }
        }
        if (value.is_string() && schema.contains("pattern") &&
            !std::regex_search(value.get<std::string>(),
                               std::regex(schema["pattern"].get<std::string>()))) {
            Fail(at,
                 "\"" + value.get<std::string>() + "\" does not match " + schema["pattern"].dump());
        }
        if (value.is_object() && schema.contains("required")) {
            for (const Json& key : schema["required"]) {
                if (!value.contains(key.get<std::string>())) {
                    Fail(at, "lacks \"" + key.get<std::string>() + "\"");
                }
            }
        }
        if (value.is_object() && schema.contains("properties")) {
            for (const auto& [key, sub] : schema["properties"].items()) {
                if (value.contains(key)) {
                    Check(value[key], sub, at + "/" + key);
                }
            }
        }
        if (value.is_array()) {
            if (schema.contains("minItems") && value.size() < schema["minItems"]) {
                Fail(at, "has fewer than " + schema["minItems"].dump() + " items");
            }
            if (schema.contains("maxItems") && value.size() > schema["maxItems"]) {
                Fail(at, "has more than " + schema["maxItems"].dump() + " items");
            }
            if (schema.contains("items")) {
                for (std::size_t i = 0; i < value.size(); ++i) {
                    Check(value[i], schema["items"], at + "/" + std::to_string(i));
                }
            }
        }
    }

    std::vector<std::string> violations;

private:
    void Fail(const std::string& at, const std::string& what) {
        violations.push_back((at.empty() ? "/" : at) + " " + what);
    }
    const Json& m_root;
};

}  // namespace

std::vector<std::string> SchemaViolations(const Json& value, const Json& schema) {
    Validator validator(schema);
    validator.Check(value, schema, "");
    return validator.violations;
}

const Json& CheckReportSchema() {
    static const Json schema = [] {
        std::ifstream file(std::filesystem::path(ORVANDEL_SCHEMA_DIR) / "check-report.schema.json");
        return Json::parse(file);
    }();
    return schema;
}

std::vector<std::string> ReportSchemaViolations(const std::string& reportText) {
    const Json report = Json::parse(reportText, nullptr, false);
    if (report.is_discarded()) {
        return {"not JSON: " + reportText.substr(0, 200)};
    }
    return SchemaViolations(report, CheckReportSchema());
}

}  // namespace orvandel::testing

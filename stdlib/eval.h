// Eval's arithmetic expression evaluator, apart from the script stack so tests call it directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct qmEvalVariable {
  std::string name;
  double value;
};

// Evaluates expr. Returns 0 with *result set, or the error code (1018, 1024, 1089, 1135, 1186,
// 1187).
int32_t eval_expression(const char* expr, const std::vector<qmEvalVariable>& vars, double* result);

#include "DecodeBudget.h"

#include <algorithm>

namespace {
thread_local TDecodeBudget* currentBudget = nullptr;
}  // namespace

TDecodeBudget::TDecodeBudget(int64_t pixels) : limit_(pixels), outer_(currentBudget) { currentBudget = this; }

TDecodeBudget::~TDecodeBudget() { currentBudget = outer_; }

void TDecodeBudget::Charge(int64_t width, int64_t height) {
  TDecodeBudget* budget = currentBudget;
  if (!budget) return;
  const int64_t pixels = std::max<int64_t>(width, 0) * std::max<int64_t>(height, 0);
  if (pixels > budget->limit_ - budget->used_) {
    ++budget->refused_;
    throw EDecodeBudgetExceeded(
        "Bitmap image is not valid: " + std::to_string(width) + " x " + std::to_string(height) +
        " pixels are over the decoding budget");
  }
  budget->used_ += pixels;
}

std::string TDecodeBudget::LogLine() const {
  if (refused_ == 0) return {};
  return std::to_string(refused_) + (refused_ == 1 ? " picture was" : " pictures were") +
         " not decoded: the pictures of one form decode at most " + std::to_string(limit_) +
         " pixels together; they are shown empty";
}

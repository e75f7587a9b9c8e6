// The decoding budget of one load: how many pixels its pictures may decode
// together. A form stores its pictures compressed (run-length bitmaps, PNG,
// JPEG), so a small file can declare gigabytes of pixels; the budget makes
// the work of a load follow what it can afford instead.
#pragma once

#include <cstdint>
#include <string>

#include "Exceptions.h"

// As many pixels as one picture may have (8192 x 8192, 256 MB decoded):
// the pictures of one load share what one picture alone could take.
inline constexpr int64_t kDecodeBudgetPixels = int64_t(1) << 26;

// A picture over the budget; an EInvalidImage, so that code which shows an
// undecodable picture as nothing does the same for it.
class EDecodeBudgetExceeded : public EInvalidImage {
 public:
  explicit EDecodeBudgetExceeded(const std::string& message) : EInvalidImage(message) {}
};

// While a budget lives, every picture decoded on this thread is charged to
// it (budgets nest: the innermost counts); with none, only the limits of a
// single picture apply. Loaders show a refused picture as empty, keep its
// bytes for writing back, and log LogLine() once.
class TDecodeBudget {
 public:
  explicit TDecodeBudget(int64_t pixels = kDecodeBudgetPixels);
  ~TDecodeBudget();
  TDecodeBudget(const TDecodeBudget&) = delete;
  TDecodeBudget& operator=(const TDecodeBudget&) = delete;

  // Charges a picture of width x height pixels to the current budget, before
  // it is decoded; raises EDecodeBudgetExceeded, and counts the picture, when
  // it does not fit.
  static void Charge(int64_t width, int64_t height);

  int Refused() const { return refused_; }
  int64_t Used() const { return used_; }
  // "N pictures were not decoded: ..."; empty when none was refused.
  std::string LogLine() const;

 private:
  int64_t limit_;
  int64_t used_ = 0;
  int refused_ = 0;
  TDecodeBudget* outer_;
};

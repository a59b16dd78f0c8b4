#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/restore.h"

namespace platform::sim {

// One request made to the simulated System Restore, as the program made it, with its answer.
struct RestorePointCall {
  std::uint32_t eventType = 0;
  std::uint32_t pointType = 0;
  std::int64_t sequence = 0;
  std::string description;
  RestorePointResult answer;
};

// A restore point that a beginning request made.
struct SimRestorePoint {
  std::int64_t sequence = 0;
  std::uint32_t pointType = 0;
  std::string description;
  bool ended = false;
};

// System Restore of a Windows XP machine, switched on: a beginning makes a restore point with
// the next sequence number, an end closes the open point whose number it carries. An end for a
// number that is not open, and any other event, is refused with kSrStatusInvalidData. Switched
// off, every request is refused with kSrStatusServiceDisabled.
class SimRestore : public Restore {
 public:
  RestorePointResult SetRestorePoint(std::uint32_t eventType, std::uint32_t pointType,
                                     std::int64_t sequence,
                                     const std::string& description) override {
    RestorePointResult answer = Answer(eventType, pointType, sequence, description);
    calls_.push_back(RestorePointCall{eventType, pointType, sequence, description, answer});
    return answer;
  }

  void SetEnabled(bool enabled) { enabled_ = enabled; }
  // The sequence number the next restore point gets; later ones count up from it.
  void SetNextSequence(std::int64_t sequence) { nextSequence_ = sequence; }

  // Every request so far, in order.
  const std::vector<RestorePointCall>& Calls() const { return calls_; }
  // Every restore point made so far, in order.
  const std::vector<SimRestorePoint>& Points() const { return points_; }

 private:
  RestorePointResult Answer(std::uint32_t eventType, std::uint32_t pointType, std::int64_t sequence,
                            const std::string& description) {
    RestorePointResult answer;
    if (!enabled_) {
      answer.status = kSrStatusServiceDisabled;
      return answer;
    }
    if (eventType == kBeginSystemChange) {
      points_.push_back(SimRestorePoint{nextSequence_++, pointType, description, false});
      answer.ok = true;
      answer.sequence = points_.back().sequence;
      return answer;
    }
    if (eventType == kEndSystemChange) {
      for (SimRestorePoint& point : points_) {
        if (point.sequence == sequence && !point.ended) {
          point.ended = true;
          answer.ok = true;
          answer.sequence = sequence;
          return answer;
        }
      }
    }
    answer.status = kSrStatusInvalidData;
    return answer;
  }

  bool enabled_ = true;
  std::int64_t nextSequence_ = 1;
  std::vector<RestorePointCall> calls_;
  std::vector<SimRestorePoint> points_;
};

}  // namespace platform::sim

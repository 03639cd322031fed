#include "cli/parallel_jobs.h"

#include <cstdint>
#include <unordered_map>
#include <utility>

namespace lumenquill {
namespace {

void AppendLength(std::string& bytes, uint64_t length) {
  for (int i = 0; i < 8; ++i) bytes += static_cast<char>((length >> (8 * i)) & 0xFF);
}

// Reads a length and that many bytes at position; false past the end.
bool ReadPart(const std::string& bytes, size_t& position, std::string& part) {
  if (bytes.size() - position < 8) return false;
  uint64_t length = 0;
  for (int i = 0; i < 8; ++i) {
    length |= uint64_t{static_cast<unsigned char>(bytes[position + static_cast<size_t>(i)])}
              << (8 * i);
  }
  position += 8;
  if (bytes.size() - position < length) return false;
  part = bytes.substr(position, static_cast<size_t>(length));
  position += static_cast<size_t>(length);
  return true;
}

}  // namespace

std::string EncodeJobReport(const JobReport& report) {
  std::string bytes(1, static_cast<char>((report.converted ? 1 : 0) | (report.loaded ? 2 : 0)));
  for (const std::string* part : {&report.text, &report.messages, &report.opened}) {
    AppendLength(bytes, part->size());
    bytes += *part;
  }
  return bytes;
}

bool DecodeJobReport(const std::string& bytes, JobReport& report) {
  if (bytes.empty()) return false;
  const auto flags = static_cast<unsigned char>(bytes[0]);
  if (flags > 3) return false;
  report.converted = (flags & 1) != 0;
  report.loaded = (flags & 2) != 0;
  size_t position = 1;
  for (std::string* part : {&report.text, &report.messages, &report.opened}) {
    if (!ReadPart(bytes, position, *part)) return false;
  }
  return position == bytes.size();
}

JobSchedule::JobSchedule(const std::vector<std::string>& keys)
    : waits_for_(keys.size()), taken_(keys.size()), finished_(keys.size()), done_(keys.size()) {
  std::unordered_map<std::string, size_t> latest;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].empty()) continue;
    const auto [found, inserted] = latest.try_emplace(keys[i], i);
    if (!inserted) waits_for_[i] = std::exchange(found->second, i);
  }
}

std::optional<size_t> JobSchedule::TakeNext() {
  while (first_untaken_ < taken_.size() && taken_[first_untaken_]) ++first_untaken_;
  for (size_t i = first_untaken_; i < taken_.size(); ++i) {
    if (taken_[i] || (waits_for_[i] && !done_[*waits_for_[i]])) continue;
    taken_[i] = true;
    ++taken_count_;
    return i;
  }
  return std::nullopt;
}

void JobSchedule::Finish(size_t index, std::optional<JobReport> report) {
  finished_[index] = std::move(report);
  done_[index] = true;
}

std::optional<std::pair<size_t, std::optional<JobReport>>> JobSchedule::TakeDeliverable() {
  if (AllDelivered() || !finished_[delivered_]) return std::nullopt;
  std::optional<JobReport> report = std::move(*finished_[delivered_]);
  finished_[delivered_].reset();
  return std::pair{delivered_++, std::move(report)};
}

}  // namespace lumenquill

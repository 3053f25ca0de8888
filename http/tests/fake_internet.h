// A stand-in for WinINet that records every call and plays a scripted response, for both seams.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "http/internet_ops.h"

using MaybeText = std::optional<std::string>;  // nullopt: a null pointer was passed

struct FakeCall {
  std::string op;                   // the WinINet entry name
  InternetHandle handle = nullptr;  // the handle the call was made on (or closed)
  std::vector<MaybeText> texts;
  std::vector<std::uint64_t> numbers;
};

struct FakeScript {
  bool fail_open = false;
  bool fail_connect = false;
  bool fail_open_request = false;
  bool fail_send = false;
  bool fail_canonicalize = false;
  std::vector<std::string> body;  // one piece per read; then reads deliver 0 bytes
  int fail_read_at = -1;          // this read (0-based) fails, delivering nothing
  MaybeText raw_headers;          // nullopt: the query writes nothing
  MaybeText content_length;       // nullopt: no such header
};

struct FakeInternet {
  FakeScript script;
  std::vector<FakeCall> calls;
  std::vector<std::uint32_t> read_sizes;
  int reads = 0;
  std::uintptr_t next_handle = 0x100;

  std::vector<std::string> Ops() const;
  const FakeCall* First(const std::string& op) const;  // null when never called
  int Count(const std::string& op) const;
};

FakeInternet& Fake();  // the one fake; reset with ResetFake() before each test
void ResetFake();

const InternetOps& FakeInternetOps();
const DownloadOps& FakeDownloadOps();

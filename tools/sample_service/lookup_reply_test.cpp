// The sample service's replies, fetched over a socket and cut by the program's own
// ParseLookupReply, give the values its table intends.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lookup/lookup.h"

namespace {

struct Sample {
  std::string serial;
  std::map<std::string, std::string> values;  // the table's raw values by reply key
};

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The table's format, as server.py reads it: "[SERIAL]" then "key = value" lines, "#" comments.
std::vector<Sample> LoadSamples(const char* path) {
  std::vector<Sample> samples;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      samples.push_back({line.substr(1, line.size() - 2), {}});
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos || samples.empty()) continue;
    samples.back().values[Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
  }
  return samples;
}

// The service as a child process; its first line of output names the port it picked.
class ServiceProcess {
 public:
  bool Start() {
    int out[2];
    if (pipe(out) != 0) return false;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      execl(PYTHON3_EXE, PYTHON3_EXE, "-B", SAMPLE_SERVICE_DIR "/server.py", "--port", "0",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    if (pid_ < 0) return false;
    std::string first;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') first += c;
    close(out[0]);
    return std::sscanf(first.c_str(), "listening 127.0.0.1:%d", &port_) == 1;
  }

  // Returns the exit status the service ended with after SIGTERM.
  int Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
    return status;
  }

  ~ServiceProcess() { Stop(); }

  // The body of a GET of path; the status line goes to *status_line.
  std::string Get(const std::string& path, std::string* status_line) const {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port_));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string response;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      const std::string request =
          "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
      if (write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size())) {
        char buffer[4096];
        ssize_t got;
        while ((got = read(fd, buffer, sizeof buffer)) > 0) response.append(buffer, got);
      }
    }
    close(fd);
    *status_line = response.substr(0, response.find("\r\n"));
    const auto body = response.find("\r\n\r\n");
    return body == std::string::npos ? "" : response.substr(body + 4);
  }

 private:
  pid_t pid_ = 0;
  int port_ = 0;
};

class SampleServiceReplies : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    service_ = new ServiceProcess;
    ASSERT_TRUE(service_->Start());
  }
  static void TearDownTestSuite() {
    const int status = service_->Stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    delete service_;
    service_ = nullptr;
  }

  static std::string Lookup(const std::string& serial) {
    std::string status;
    std::string body = service_->Get("/xuliehao/index.php?action=search&sn=" + serial, &status);
    EXPECT_EQ(status, "HTTP/1.1 200 OK");
    return body;
  }

  static ServiceProcess* service_;
};

ServiceProcess* SampleServiceReplies::service_ = nullptr;

TEST_F(SampleServiceReplies, EachSampleParsesToTheTableValues) {
  const auto samples = LoadSamples(SAMPLE_SERVICE_DIR "/samples.ini");
  ASSERT_GE(samples.size(), 7u);
  for (const Sample& sample : samples) {
    SCOPED_TRACE(sample.serial);
    const std::string reply = Lookup(sample.serial);
    LookupResult result;
    EXPECT_TRUE(ParseLookupReply(reply, result));
    EXPECT_EQ(result.response.view(), reply);
    const std::pair<const char*, const Text*> fields[] = {
        {"resultcode", &result.resultcode},
        {"phone_model", &result.phone_model},
        {"size", &result.size},
        {"color", &result.color},
        {"active", &result.active},
        {"warranty_status", &result.warranty_status},
        {"warranty", &result.warranty},
        {"tele_support_status", &result.tele_support_status},
        {"start_date", &result.start_date},
        {"end_date", &result.end_date},
        {"image", &result.image},
    };
    for (const auto& [key, value] : fields) {
      ASSERT_EQ(sample.values.count(key), 1u) << key;
      EXPECT_EQ(value->view(), sample.values.at(key)) << key;
    }
  }
}

TEST_F(SampleServiceReplies, AnUnknownSerialIsAFailedLookup) {
  LookupResult result;
  EXPECT_FALSE(ParseLookupReply(Lookup("000000000000"), result));
  EXPECT_EQ(result.resultcode.view(), "-1");
}

TEST_F(SampleServiceReplies, TheSixPicturesAreServed) {
  for (const char* name :
       {"iphone%205_black.jpg", "iphone%205_white.jpg", "iphone%204s_black.jpg",
        "iphone%204s_white.jpg", "iphone%204_black.jpg", "iphone%204_white.jpg"}) {
    SCOPED_TRACE(name);
    std::string status;
    const std::string body = service_->Get(std::string("/xuliehao/devimages/") + name, &status);
    EXPECT_EQ(status, "HTTP/1.1 200 OK");
    EXPECT_EQ(body.substr(0, 3), "\xff\xd8\xff");
  }
}

}  // namespace

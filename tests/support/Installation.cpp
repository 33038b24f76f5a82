#include "support/Installation.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

bool TestInst_Create(TestInstallation& inst, const std::string& login, const std::string& pass,
                     const std::string& net8) {
  inst.root = Test_TempDir();
  if (inst.root.empty()) return false;
  inst.workdir = inst.root + "/i1/i2/i3/run";
  std::error_code ec;
  fs::create_directories(inst.workdir + "/Msg", ec);
  fs::create_directories(inst.BuffDir(), ec);
  fs::create_directories(inst.root + "/files", ec);
  if (ec) return false;
  const std::string qvini = QV_BINARY_DIR "/qvini";
  std::string out;
  for (auto [name, value] : {std::pair{"LOGIN", login}, {"PASS", pass}, {"NET8", net8}}) {
    if (Test_RunProgram(qvini, {"set", inst.IniPath(), name, value}, inst.root, "", out) != 0)
      return false;
  }
  return true;
}

void TestInst_Remove(TestInstallation& inst) {
  Test_RemoveTree(inst.root);
  inst.root.clear();
}

int Test_RunProgram(const std::string& program, const std::vector<std::string>& args,
                    const std::string& workdir, const std::string& now, std::string& output) {
  int pipefd[2];
  if (pipe(pipefd) != 0) return -1;
  pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    close(pipefd[0]);
    dup2(pipefd[1], 1);
    dup2(pipefd[1], 2);
    if (chdir(workdir.c_str()) != 0) _exit(126);
    if (now.empty()) {
      unsetenv("QV_TEST_NOW");
    } else {
      setenv("QV_TEST_NOW", now.c_str(), 1);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(pipefd[1]);
  output.clear();
  char buf[4096];
  ssize_t n;
  while ((n = read(pipefd[0], buf, sizeof buf)) > 0) output.append(buf, static_cast<size_t>(n));
  close(pipefd[0]);
  int status = 0;
  if (waitpid(pid, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int TestInst_Run(const TestInstallation& inst, const std::vector<std::string>& args,
                 const std::string& now, std::string& output) {
  return Test_RunProgram(QV_BINARY_DIR "/mldkorr", args, inst.workdir, now, output);
}

std::string Test_LogEntry(const std::string& date, const std::string& time,
                          const std::string& message, const std::string& function, int code) {
  return "\xFE\r\nSystem-Date: " + date + "\r\nSystem-Time: " + time +
         "\r\nMsgArt_____: FMSG \r\nMessage____: " + message + "\r\nFunktion___: " + function +
         "\r\nErrorCode__: " + std::to_string(code) + "\r\n";
}

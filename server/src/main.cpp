// defserver: the definition and language server the scanner's Live Update, anonymous
// submission and language download talk to.
//
//   defserver publish --db FILE --definitions DIR [--date "YYYY-MM-DD HH:MM:SS"]
//   defserver serve --db FILE --port N [--bind ADDRESS] [--languages DIR] [--port-file FILE]
//                   [--max-age SECONDS] [--signing-key FILE] [--quiet]
//   defserver demo [--port N] [--bind ADDRESS] [--languages DIR] [--port-file FILE]
//                  [--definitions DIR] [--update DIR] [--max-age SECONDS] [--signing-key FILE]
//                  [--quiet]
#include <httplib.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <thread>

#include "civil_time.h"
#include "definition_folder.h"
#include "definition_server.h"
#include "store.h"

namespace {

using namespace defserver;

constexpr const char* kUsage =
    "usage:\n"
    "  defserver publish --db FILE --definitions DIR [--date \"YYYY-MM-DD HH:MM:SS\"]\n"
    "  defserver serve --db FILE --port N [--bind ADDRESS] [--languages DIR]\n"
    "                  [--port-file FILE] [--max-age SECONDS] [--delay MS]\n"
    "                  [--signing-key FILE] [--quiet]\n"
    "  defserver demo [--port N] [--bind ADDRESS] [--languages DIR] [--port-file FILE]\n"
    "                 [--definitions DIR] [--update DIR] [--max-age SECONDS] [--delay MS]\n"
    "                 [--signing-key FILE] [--quiet]\n"
    "--delay holds every answer back for MS milliseconds, as a slow network would.\n"
    "--signing-key also serves the answers signed (\".sig.asp\"), with the private key that\n"
    "`defkeys generate` wrote.\n";

// The date a fresh installation assumes for the starter definitions it comes with: publishing
// the starter set at that date gives such a client exactly what it has.
constexpr const char* kStarterDate = "2006-03-16 00:00:00";

using Options = std::map<std::string, std::string>;

// "--name value" pairs and the "--quiet" flag; false for anything else.
bool ReadOptions(int argc, char** argv, const std::set<std::string>& allowed, Options* options) {
  for (int i = 2; i < argc; ++i) {
    const std::string name = argv[i];
    if (allowed.count(name) == 0) {
      std::cerr << "defserver: unknown option " << name << "\n";
      return false;
    }
    if (name == "--quiet") {
      (*options)[name] = "1";
    } else if (i + 1 < argc) {
      (*options)[name] = argv[++i];
    } else {
      std::cerr << "defserver: " << name << " needs a value\n";
      return false;
    }
  }
  return true;
}

bool ReadNumber(const Options& options, const std::string& name, int low, int high, int* value) {
  const auto found = options.find(name);
  if (found == options.end()) return true;
  char* end = nullptr;
  const long number = std::strtol(found->second.c_str(), &end, 10);
  if (found->second.empty() || *end != '\0' || number < low || number > high) {
    std::cerr << "defserver: " << name << " must be a number from " << low << " to " << high
              << "\n";
    return false;
  }
  *value = static_cast<int>(number);
  return true;
}

std::string Get(const Options& options, const std::string& name, const std::string& otherwise) {
  const auto found = options.find(name);
  return found == options.end() ? otherwise : found->second;
}

int PublishFolder(Store& store, const std::string& folder, Seconds date) {
  DefinitionSet set;
  std::vector<std::string> errors;
  if (!ReadDefinitionFolder(folder, &set, &errors)) {
    for (const std::string& error : errors) std::cerr << error << "\n";
    std::cerr << "defserver: nothing published\n";
    return 1;
  }
  Store::PublishCounts counts;
  std::string error;
  switch (store.Publish(date, set, &counts, &error)) {
    case Store::PublishOutcome::kPublished:
      std::cout << "Published " << FormatStored(date) << ": " << counts.added << " added, "
                << counts.removed << " removed.\n";
      return 0;
    case Store::PublishOutcome::kUnchanged:
      std::cout << "No differences to the current definitions: nothing published.\n";
      return 0;
    case Store::PublishOutcome::kNotLater:
    case Store::PublishOutcome::kFailed:
      break;
  }
  std::cerr << "defserver: " << error << "\n";
  return 1;
}

// Written whole under a temporary name first, so that a script waiting for the file never reads
// half a number.
bool WritePortFile(const std::string& path, int port) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << port << "\n";
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return !error;
}

int Serve(Store& store, const Options& options, const std::string& languages) {
  int port = -1;
  int maxAge = 300;
  int delay = 0;
  if (options.count("--port") == 0) {
    std::cerr << "defserver: --port is needed (0 picks a free port)\n";
    return 2;
  }
  if (!ReadNumber(options, "--port", 0, 65535, &port) ||
      !ReadNumber(options, "--max-age", 0, 31536000, &maxAge) ||
      !ReadNumber(options, "--delay", 0, 600000, &delay)) {
    return 2;
  }
  const std::string address = Get(options, "--bind", "127.0.0.1");
  const std::string portFile = Get(options, "--port-file", "");
  std::unique_ptr<AnswerSigner> signer;
  if (options.count("--signing-key") != 0) {
    std::string error;
    signer = AnswerSigner::FromPemFile(options.at("--signing-key"), &error);
    if (!signer) {
      std::cerr << "defserver: " << error << "\n";
      return 1;
    }
  }

  // SIGINT and SIGTERM are taken by one waiting thread, which stops the server; blocked here,
  // before any thread starts, so that no other thread is interrupted by them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  ServerOptions serverOptions;
  serverOptions.languageFolder = languages;
  serverOptions.maxAgeSeconds = maxAge;
  serverOptions.signer = signer.get();
  DefinitionServer definitions(store, serverOptions);
  httplib::Server server;
  definitions.Mount(server);
  if (delay > 0) {
    // Each request has a thread of the pool, so a held answer does not hold the others.
    server.set_pre_routing_handler([delay](const httplib::Request&, httplib::Response&) {
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      return httplib::Server::HandlerResponse::Unhandled;
    });
  }
  if (options.count("--quiet") == 0) {
    server.set_logger([](const httplib::Request& request, const httplib::Response& response) {
      std::fprintf(stderr, "%s %s %d\n", request.method.c_str(), request.path.c_str(),
                   response.status);
    });
  }
  const int bound = port == 0 ? server.bind_to_any_port(address)
                              : (server.bind_to_port(address, port) ? port : -1);
  if (bound <= 0) {
    std::cerr << "defserver: cannot listen on " << address << ":" << port << "\n";
    return 1;
  }
  if (!portFile.empty() && !WritePortFile(portFile, bound)) {
    std::cerr << "defserver: cannot write " << portFile << "\n";
    return 1;
  }
  std::cout << "defserver listening on http://" << address << ":" << bound << "/" << std::endl;

  // A stop that comes before the server has started listening would be lost, so the waiter
  // keeps stopping it until it has returned.
  std::atomic<bool> ended = false;
  std::thread waiter([&server, &stopSignals, &ended] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    while (!ended) {
      server.stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  const bool listened = server.listen_after_bind();
  ended = true;
  // Wakes the waiter when the server ended by itself; blocked there, the signal does no more.
  pthread_kill(waiter.native_handle(), SIGTERM);
  waiter.join();
  if (!portFile.empty()) std::filesystem::remove(portFile);
  return listened ? 0 : 1;
}

int PublishCommand(int argc, char** argv) {
  Options options;
  if (!ReadOptions(argc, argv, {"--db", "--definitions", "--date"}, &options)) return 2;
  if (options.count("--db") == 0 || options.count("--definitions") == 0) {
    std::cerr << kUsage;
    return 2;
  }
  Seconds date = LocalNow();
  if (options.count("--date") != 0) {
    const std::optional<Seconds> given = ParseStored(options["--date"]);
    if (!given) {
      std::cerr << "defserver: --date must read YYYY-MM-DD HH:MM:SS\n";
      return 2;
    }
    date = *given;
  }
  std::string error;
  std::unique_ptr<Store> store = Store::Open(options["--db"], true, &error);
  if (!store) {
    std::cerr << "defserver: " << error << "\n";
    return 1;
  }
  return PublishFolder(*store, options["--definitions"], date);
}

int ServeCommand(int argc, char** argv) {
  Options options;
  if (!ReadOptions(
          argc, argv,
          {"--db", "--port", "--bind", "--languages", "--port-file", "--max-age", "--delay",
           "--signing-key", "--quiet"},
          &options)) {
    return 2;
  }
  if (options.count("--db") == 0) {
    std::cerr << kUsage;
    return 2;
  }
  // A database that is not there is a mistyped path, not an empty server.
  std::string error;
  std::unique_ptr<Store> store = Store::Open(options["--db"], false, &error);
  if (!store) {
    std::cerr << "defserver: " << error << "\n";
    return 1;
  }
  return Serve(*store, options, Get(options, "--languages", DEFSERVER_DATA_DIR));
}

int DemoCommand(int argc, char** argv) {
  Options options;
  if (!ReadOptions(argc, argv,
                   {"--port", "--bind", "--languages", "--port-file", "--definitions", "--update",
                    "--max-age", "--delay", "--signing-key", "--quiet"},
                   &options)) {
    return 2;
  }
  if (options.count("--port") == 0) options["--port"] = "0";
  char folderName[] = "/tmp/defserver-demo-XXXXXX";
  if (!mkdtemp(folderName)) {
    std::cerr << "defserver: cannot make a temporary folder\n";
    return 1;
  }
  const std::filesystem::path folder = folderName;
  int result = 1;
  {
    std::string error;
    std::unique_ptr<Store> store = Store::Open((folder / "definitions.db").string(), true, &error);
    if (!store) {
      std::cerr << "defserver: " << error << "\n";
    } else if (PublishFolder(*store,
                             Get(options, "--definitions", DEFSERVER_DATA_DIR "/definitions"),
                             *ParseStored(kStarterDate)) == 0 &&
               (options.count("--update") == 0 ||
                PublishFolder(*store, options["--update"], LocalNow()) == 0)) {
      result = Serve(*store, options, Get(options, "--languages", DEFSERVER_DATA_DIR));
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "publish") return PublishCommand(argc, argv);
  if (command == "serve") return ServeCommand(argc, argv);
  if (command == "demo") return DemoCommand(argc, argv);
  std::cerr << kUsage;
  return command == "--help" || command == "-h" ? 0 : 2;
}

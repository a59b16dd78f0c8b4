// defkeys: the signing key of a definition server.
//
//   defkeys generate --key FILE   makes a new key, writes its private part to FILE (readable by
//                                 its owner only; an existing file is never overwritten) and
//                                 prints the public part as the scanner's build setting
//   defkeys public --key FILE     prints the public part of the key in FILE the same way
//   defkeys sign --key FILE --kind date|difference --prog PRODUCT --comp COMPANY
//                [--from DATE] --server-date DATE --body FILE
//                                 prints the signed answer for a body, as the server's ".sig.asp"
//                                 paths give it: for hosting a published set without defserver
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "answer_signer.h"
#include "update/signed_answer.h"

namespace {

using defserver::AnswerSigner;

constexpr const char* kUsage =
    "usage:\n"
    "  defkeys generate --key FILE\n"
    "  defkeys public --key FILE\n"
    "  defkeys sign --key FILE --kind date|difference --prog PRODUCT --comp COMPANY\n"
    "               [--from DATE] --server-date DATE --body FILE\n";

using Options = std::map<std::string, std::string>;

bool ReadOptions(int argc, char** argv, const std::set<std::string>& allowed, Options* options) {
  for (int i = 2; i < argc; i += 2) {
    if (allowed.count(argv[i]) == 0 || i + 1 >= argc) {
      std::cerr << kUsage;
      return false;
    }
    (*options)[argv[i]] = argv[i + 1];
  }
  return true;
}

void PrintPublicKey(const AnswerSigner& signer) {
  std::cout << "-DUPDATE_PUBLIC_KEY=" << update::ToHex(signer.PublicKey()) << "\n";
}

int Generate(const Options& options) {
  std::string error;
  const std::unique_ptr<AnswerSigner> signer = AnswerSigner::Generate(&error);
  if (!signer) {
    std::cerr << "defkeys: " << error << "\n";
    return 1;
  }
  const std::string pem = signer->PrivateKeyPem();
  const std::string& path = options.at("--key");
  // Created here, owner-only, and never over an existing key: losing a key in use would leave
  // every installed scanner without updates.
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
  if (file < 0) {
    std::cerr << "defkeys: cannot create " << path << " (does it exist already?)\n";
    return 1;
  }
  const bool written =
      !pem.empty() && write(file, pem.data(), pem.size()) == static_cast<ssize_t>(pem.size());
  if (close(file) != 0 || !written) {
    std::cerr << "defkeys: cannot write " << path << "\n";
    unlink(path.c_str());
    return 1;
  }
  PrintPublicKey(*signer);
  return 0;
}

std::unique_ptr<AnswerSigner> Load(const Options& options) {
  std::string error;
  std::unique_ptr<AnswerSigner> signer = AnswerSigner::FromPemFile(options.at("--key"), &error);
  if (!signer) std::cerr << "defkeys: " << error << "\n";
  return signer;
}

int Sign(const Options& options) {
  for (const char* name : {"--kind", "--prog", "--comp", "--server-date", "--body"}) {
    if (options.count(name) == 0) {
      std::cerr << kUsage;
      return 2;
    }
  }
  const std::string kind = options.at("--kind");
  if (kind != update::kSignedDateKind && kind != update::kSignedDifferenceKind) {
    std::cerr << "defkeys: --kind is date or difference\n";
    return 2;
  }
  std::ifstream in(options.at("--body"), std::ios::binary);
  if (!in) {
    std::cerr << "defkeys: cannot read " << options.at("--body") << "\n";
    return 1;
  }
  const std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::unique_ptr<AnswerSigner> signer = Load(options);
  if (!signer) return 1;
  const auto from = options.find("--from");
  const std::string fromDate = from == options.end() ? "" : from->second;
  const std::string serverDate = options.at("--server-date");
  const std::string signature = signer->Sign(update::SignedMessage(
      {kind, options.at("--prog"), options.at("--comp"), fromDate, serverDate, body}));
  if (signature.empty()) {
    std::cerr << "defkeys: signing failed\n";
    return 1;
  }
  std::cout << update::FormatSignedAnswer({signature, serverDate, body});
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  Options options;
  if (command == "generate" || command == "public") {
    if (!ReadOptions(argc, argv, {"--key"}, &options) || options.count("--key") == 0) {
      std::cerr << kUsage;
      return 2;
    }
    if (command == "generate") return Generate(options);
    const std::unique_ptr<AnswerSigner> signer = Load(options);
    if (!signer) return 1;
    PrintPublicKey(*signer);
    return 0;
  }
  if (command == "sign") {
    if (!ReadOptions(argc, argv,
                     {"--key", "--kind", "--prog", "--comp", "--from", "--server-date", "--body"},
                     &options) ||
        options.count("--key") == 0) {
      return 2;
    }
    return Sign(options);
  }
  std::cerr << kUsage;
  return command == "--help" || command == "-h" ? 0 : 2;
}

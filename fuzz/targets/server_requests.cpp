// The definition server's request handlers, called as the HTTP library calls them, with a
// request target and an If-None-Match header from the input, over a store that has two publishes.
#include <fuzzer/FuzzedDataProvider.h>
#include <httplib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "client_date.h"
#include "definition_server.h"
#include "entry_rules.h"
#include "query.h"
#include "store.h"

namespace {

defserver::Store& PublishedStore() {
  static std::unique_ptr<defserver::Store> store = [] {
    std::string error;
    auto opened = defserver::Store::Open(":memory:", true, &error);
    if (!opened) std::abort();
    defserver::Store::PublishCounts counts;
    opened->Publish(*defserver::ParseStored("2006-03-16 00:00:00"),
                    {{defserver::Kind::kFile, {"a.exe=A|[x]", "b.dll=B|[y]"}}}, &counts, &error);
    opened->Publish(*defserver::ParseStored("2006-04-01 10:00:30"),
                    {{defserver::Kind::kFile, {"a.exe=A|[x]", "c.dll=C|[z]"}},
                     {defserver::Kind::kRegistry, {"2^Software\\X^=X|"}}},
                    &counts, &error);
    return opened;
  }();
  return *store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int handler = input.ConsumeIntegralInRange(0, 3);
  const std::string etag = input.ConsumeRandomLengthString(80);
  const std::string query = input.ConsumeRemainingBytesAsString();

  static defserver::DefinitionServer server(
      PublishedStore(), {"/nonexistent", 300, [] { return defserver::Seconds{0}; }});
  httplib::Request request;
  request.target = "/asp/x.asp?" + query;
  if (!etag.empty()) request.set_header("If-None-Match", etag);
  httplib::Response response;
  switch (handler) {
    case 0:
      server.ServerDate(request, response);
      break;
    case 1:
      server.StoredDate(request, response);
      break;
    case 2:
      server.Difference(request, response);
      break;
    default:
      server.Submission(request, response);
      break;
  }
  if (response.status == 200 && response.body.empty() && handler != 2) std::abort();

  // The pieces the handlers are made of, on the raw text as well.
  defserver::ParseQuery(query);
  defserver::ParseClientDate(query);
  for (const auto kind : {defserver::Kind::kFile, defserver::Kind::kRegistry,
                          defserver::Kind::kCookie, defserver::Kind::kSafety}) {
    if (!defserver::EntryProblem(kind, query)) defserver::ClientKeys(kind, query);
  }
  if (const auto parts = defserver::SplitRegistryEntry(query)) defserver::RegistryLocation(*parts);
  return 0;
}

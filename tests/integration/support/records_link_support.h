#pragma once
// The station's records as the tests open and read them.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "records/record_store.h"
#include "station/records_link.h"
#include "wait_for.h"

namespace vek::testing {

// Opens a link to the records and waits for its answer.
inline std::unique_ptr<station::RecordsLink> openLink(records::StoreOptions options) {
    auto link = std::make_unique<station::RecordsLink>(std::move(options));
    bool answered = false, ok = false;
    QObject::connect(link.get(), &station::RecordsLink::opened, [&](bool o, const QString&) { answered = true, ok = o; });
    link->open();
    EXPECT_TRUE(waitFor([&] { return answered; }, 10000));
    EXPECT_TRUE(ok);
    return link;
}

// What a listing shows: never marks anything.
inline std::vector<records::Run> listed(records::StoreOptions options) {
    options.access = records::Access::Reader;
    records::RecordStore store(options);
    EXPECT_TRUE(store.open()) << store.errorString().toStdString();
    auto runs = store.list({});
    EXPECT_TRUE(runs) << store.errorString().toStdString();
    return runs ? *runs : std::vector<records::Run>{};
}

}  // namespace vek::testing

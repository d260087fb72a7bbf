// A connection holder opened straight through the Jet provider, without the class
// registry: an Access database with an empty provider string, a workbook with
// "Excel 8.0;HDR=Yes;". Empty (and a line on stderr) when the file cannot be opened.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "connect/connection_holder.h"
#include "platform/jet/jet_data_source.h"

namespace tabvex::bench {

inline connect::ConnectionHolder OpenJetHolder(const std::filesystem::path& file, bool workbook) {
    using namespace tabvex::oledb;
    auto dataSource = std::make_shared<jet::JetDataSource>();
    DBPROPSET init{DBPROPSET_DBINIT, {}};
    AddProperty(init, DBPROP_INIT_DATASOURCE, file.string());
    AddProperty(init, DBPROP_INIT_PROVIDERSTRING, std::string(workbook ? "Excel 8.0;HDR=Yes;" : ""));
    std::vector sets{init};
    connect::ConnectionHolder holder;
    std::shared_ptr<Session> session;
    if (Failed(dataSource->SetProperties(sets)) || Failed(dataSource->Initialize()) ||
        Failed(dataSource->CreateSession(session))) {
        std::fprintf(stderr, "cannot open %s\n", file.c_str());
        return holder;
    }
    holder.dataSource = std::move(dataSource);
    holder.session = std::move(session);
    return holder;
}

}  // namespace tabvex::bench

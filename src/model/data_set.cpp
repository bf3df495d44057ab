#include "model/data_set.h"

#include "base/file_names.h"

namespace varemo {

char dataSetLetter(DataSet set) {
    switch (set) {
    case DataSet::Info:
        return 'I';
    case DataSet::Plan:
        return 'P';
    case DataSet::Real:
        return 'R';
    }
    return 'R';
}

std::string dataSetName(DataSet set) {
    switch (set) {
    case DataSet::Info:
        return "INFO";
    case DataSet::Plan:
        return "PLAN";
    case DataSet::Real:
        return "REAL";
    }
    return "REAL";
}

std::optional<DataSet> parseDataSet(const std::string& name) {
    for (DataSet s : {DataSet::Info, DataSet::Plan, DataSet::Real})
        if (equalIgnoringCase(name, dataSetName(s))) return s;
    return std::nullopt;
}

} // namespace varemo

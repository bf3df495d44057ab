#include "model/globaldaten.h"

#include <stdexcept>
#include <string>

namespace varemo {

void Selection::selectMonth(int month) {
    if (month < 1 || month > kYearSalaryMonth)
        throw std::out_of_range("month " + std::to_string(month) + " is not 1 to 13");
    month_ = month;
}

} // namespace varemo

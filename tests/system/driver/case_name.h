// Names the cases of a parameterised test after their `name` field, so that CTest lists
// Ways/ContextMenu.Opens/ShiftF10 rather than .../2.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace drv {

struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return info.param.name;
    }
};

}  // namespace drv

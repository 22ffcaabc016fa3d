// Names each case of a test table after its `name`, or after the value itself.
#pragma once

#include <gtest/gtest.h>

#include <string>

struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const {
        if constexpr (std::is_convertible_v<Case, std::string>) {
            return info.param;
        } else {
            return info.param.name;
        }
    }
};

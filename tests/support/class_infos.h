// Builds the class information of every class the test program declares,
// with every type record and field class it reaches, so a bad registration
// fails the suite rather than the first user of the class.
#pragma once

#include <gtest/gtest.h>

#include "framework/streaming/class_info.h"

inline void ExpectEveryClassInfoBuilds() {
  ASSERT_FALSE(ListedClassInfos().empty());
  for (TClassRef listed : ListedClassInfos()) {
    const TClassInfo& info = listed();
    SCOPED_TRACE(info.ClassName);
    EXPECT_EQ(info.TypeInfo.ClassType, &info);
    for (const TPropInfo* prop : GetPropInfos(&info.TypeInfo)) {
      ASSERT_NE(prop, nullptr);
      EXPECT_NE(prop->PropType(), nullptr) << prop->Name;
    }
    for (TClassRef field_class : info.FieldClassTable)
      EXPECT_FALSE(field_class().ClassName.empty());
  }
}

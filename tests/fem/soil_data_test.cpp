// Soil columns: defaults, the binary form and the text forms of older files.
#include "fem/fem_alloc.h"
#include "fem/soil_data.h"
#include "fem_test_support.h"

#include <gtest/gtest.h>

namespace {

using kv::test::FemFolder;

TEST(SoilData, ColumnRoundTripsThroughItsBinaryForm) {
    FemFolder folder;
    soil_date_xy column;
    column.Layer_num = 2;
    column.dmbg = -1.5f;
    column.layers.resize(2);
    column.layers[1].Thick = 7.25f;
    column.layers[1].Type = 4;
    std::FILE* f = std::fopen("col.fb", "wb");
    ASSERT_EQ(column.soil_date_xy_write(f), 1);
    std::fclose(f);
    EXPECT_EQ(folder.Read("col.fb").size(), 28u + 2 * 72);

    soil_date_xy back;
    f = std::fopen("col.fb", "rb");
    ASSERT_EQ(back.soil_date_xy_read(f), 1);
    std::fclose(f);
    EXPECT_EQ(back.Layer_num, 2);
    EXPECT_FLOAT_EQ(back.dmbg, -1.5f);
    EXPECT_FLOAT_EQ(back.jdbg, -1.0f);
    EXPECT_EQ(back.layers[1].Type, 4);
    EXPECT_FLOAT_EQ(back.layers[1].Thick, 7.25f);
    EXPECT_FLOAT_EQ(back.layers[1].spare2, 100.0f);
}

TEST(SoilData, ColumnWithoutLayersIsRefused) {
    struct Case {
        const char* what;
        bool write;
        std::string message;
    } cases[] = {{"write", true, "Layer num error in soil_date_xy_write"},
                 {"read", false, "Layer num error in soil_date_xy_read"}};
    for (const Case& c : cases) {
        FemFolder folder;
        soil_date_xy column;
        if (c.write) {
            std::FILE* f = std::fopen("col.fb", "wb");
            EXPECT_EQ(column.soil_date_xy_write(f), 0);
            std::fclose(f);
        } else {
            folder.Write("col.fb", std::string(28, '\0'));
            std::FILE* f = std::fopen("col.fb", "rb");
            EXPECT_EQ(column.soil_date_xy_read(f), 0);
            std::fclose(f);
        }
        EXPECT_EQ(JS_ERROR_CODE, 301) << c.what;
        EXPECT_TRUE(folder.Told(301, c.message)) << c.what;
    }
}

TEST(SoilData, TextReadersTakeTheirLayouts) {
    struct Case {
        const char* text;
        int (soil_date_xy::*read)(std::FILE*);
        float dmbg, thick, gama, gama1, es, es1, c;
    } cases[] = {
        {"1,2.0,-3.0\n5,2.5,19.0,9.0e4\n", &soil_date_xy::soil_date_xy_read_txt, 2.0f, 2.5f, 19.0f, 19.0f, 9.0e4f,
         1.5e5f, 12.0f},
        {"1,2.0,-3.0\n5,2.5,19.0,9.0e4,1.8e5\n", &soil_date_xy::soil_date_xy_read_txt_0, 2.0f, 2.5f, 19.0f, 19.0f,
         9.0e4f, 1.8e5f, 12.0f},
        {"1,2.0,-3.0,0,0,0,0\n5,2.5,19.0,9.0e4,1.8e5,160,1,0.6,0.3,15,28\n", &soil_date_xy::soil_date_xy_read_txt_1,
         2.0f, 2.5f, 19.0f, 19.0f, 9.0e4f, 1.8e5f, 15.0f},
        {"// a comment\n1,-3.0\n2.5,19.0,15,28,9.0e4,1.8e5,160\n", &soil_date_xy::soil_date_xy_read_txt_2, 0.0f, 2.5f,
         19.0f, 10.0f, 9.0e4f, 1.8e5f, 15.0f},
    };
    for (const Case& c : cases) {
        FemFolder folder;
        folder.Write("soil.txt", c.text);
        std::FILE* f = std::fopen("soil.txt", "r");
        soil_date_xy column;
        ASSERT_EQ((column.*c.read)(f), 1) << c.text;
        std::fclose(f);
        ASSERT_EQ(column.layers.size(), 1u) << c.text;
        const soil_layer& L = column.layers[0];
        EXPECT_FLOAT_EQ(column.dmbg, c.dmbg) << c.text;
        EXPECT_FLOAT_EQ(column.dxsbg, -3.0f) << c.text;
        EXPECT_FLOAT_EQ(L.Thick, c.thick) << c.text;
        EXPECT_FLOAT_EQ(L.Gama, c.gama) << c.text;
        EXPECT_FLOAT_EQ(L.Gama1, c.gama1) << c.text;
        EXPECT_FLOAT_EQ(L.Es, c.es) << c.text;
        EXPECT_FLOAT_EQ(L.Es1, c.es1) << c.text;
        EXPECT_FLOAT_EQ(L.c, c.c) << c.text;
    }
}

TEST(SoilData, TextColumnWithoutLayersOrMemoryIsRefused) {
    {
        FemFolder folder;
        folder.Write("soil.txt", "0,1.0,-3.0\n");
        std::FILE* f = std::fopen("soil.txt", "r");
        soil_date_xy column;
        EXPECT_EQ(column.soil_date_xy_read_txt(f), 0);
        std::fclose(f);
        EXPECT_TRUE(folder.Told(301, "Layer num error in soil_date_xy_read_txt"));
    }
    {
        FemFolder folder;
        folder.Write("soil.txt", "1,1.0,-3.0\n1,2,18,1e5,1e5\n");
        std::FILE* f = std::fopen("soil.txt", "r");
        soil_date_xy column;
        kv::fem::AllocationFailureForTesting fail(1);
        EXPECT_EQ(column.soil_date_xy_read_txt(f), 0);
        std::fclose(f);
        EXPECT_TRUE(folder.Told(301, "Read soil_date error in soil_date_xy_txt"));
    }
}

TEST(SoilData, FreeKeepsTheHeaderAndDetachHandsTheLayersOver) {
    soil_date_xy column;
    column.Layer_num = 3;
    column.dxsbg = -4.0f;
    column.layers.resize(3);
    std::vector<soil_layer> taken = column.detach();
    EXPECT_EQ(taken.size(), 3u);
    EXPECT_TRUE(column.layers.empty());
    column.free();
    EXPECT_EQ(column.Layer_num, 0);
    EXPECT_FLOAT_EQ(column.dxsbg, -4.0f);
}

}  // namespace

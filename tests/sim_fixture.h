// Test fixture: a fresh simulated driver for each test, and the library's
// unit table emptied before and after.
#ifndef ZEV_TESTS_SIM_FIXTURE_H
#define ZEV_TESTS_SIM_FIXTURE_H

#include <gtest/gtest.h>

#include <sim.h>
#include <zuzovEraVe.h>

#include <string>

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        close_all_units();
        sim_reset();
    }
    void TearDown() override { close_all_units(); }

    static void close_all_units() {
        for (zev_ulong unit = 0; unit < ZEV_UNIT_COUNT; ++unit) {
            zuzovEraVeClose(unit);
        }
    }

    // Lists a unit device with the given unit number and words.
    static int add_unit(int unit, uint32_t output = 0, uint32_t input = 0) {
        const int dev = sim_add_device(SIM_UNIT_ID, SIM_UNIT_DESCRIPTION, unit);
        sim_set_words(dev, 0, output, input);
        return dev;
    }

    // Lists a unit, opens it through the library and clears the logs, so
    // that a test sees only its own traffic.
    static int open_unit(int unit, uint32_t output = 0, uint32_t input = 0) {
        const int dev = add_unit(unit, output, input);
        EXPECT_EQ(1, zuzovEraVeOpen(static_cast<zev_ulong>(unit)));
        sim_clear_logs();
        return dev;
    }

    static std::string writes(int dev) { return sim_writes(dev); }
    static std::string log(int dev) { return sim_log(dev); }

    static std::string all_writes() {
        std::string all;
        for (int dev = 0; dev < SIM_MAX_DEVICES; ++dev) {
            all += sim_writes(dev);
        }
        return all;
    }
};

#endif

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/EngineLock.h"

namespace {

TEST(EngineLock, RecursiveForItsOwner) {
    orv::EngineLock lock;
    ASSERT_TRUE(lock.acquire(orv::EngineLock::kNoTimeLimit));
    ASSERT_TRUE(lock.acquire(1000));
    lock.release();
    // Still held once: another thread cannot have it.
    bool other = true;
    std::thread([&] { other = lock.acquire(20); }).join();
    EXPECT_FALSE(other);
    lock.release();
    std::thread([&] {
        other = lock.acquire(20);
        if (other) lock.release();
    }).join();
    EXPECT_TRUE(other);
}

TEST(EngineLock, WaitRunsOutWhileAnotherThreadHoldsIt) {
    orv::EngineLock lock;
    std::atomic<bool> held{false}, done{false};
    std::thread holder([&] {
        lock.acquire(orv::EngineLock::kNoTimeLimit);
        held = true;
        while (!done) std::this_thread::yield();
        lock.release();
    });
    while (!held) std::this_thread::yield();
    EXPECT_FALSE(lock.acquire(30));
    done = true;
    holder.join();
    EXPECT_TRUE(lock.acquire(1000));
    lock.release();
}

TEST(EngineLock, ReleaseByANonOwnerChangesNothing) {
    orv::EngineLock lock;
    lock.release();  // never acquired
    ASSERT_TRUE(lock.acquire(orv::EngineLock::kNoTimeLimit));
    std::thread([&] { lock.release(); }).join();
    bool other = true;
    std::thread([&] { other = lock.acquire(20); }).join();
    EXPECT_FALSE(other);
    lock.release();
}

TEST(EngineLock, GuardReleasesOnlyWhatItGot) {
    orv::EngineLock lock;
    {
        orv::EngineLockGuard guard(lock, 100);
        EXPECT_TRUE(guard.held());
    }
    bool other = false;
    std::thread([&] {
        orv::EngineLockGuard guard(lock, 100);
        other = guard.held();
    }).join();
    EXPECT_TRUE(other);
}

}  // namespace

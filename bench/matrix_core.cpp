// Costs of the matrix core: a pool chunk against malloc/free of the same 256 bytes, and the
// life of a 1x1 matrix (create and destroy, share a copy).
#include "korvex.h"

#include <cstdlib>

#include <benchmark/benchmark.h>

using namespace korvex;

namespace {

// Holding one chunk keeps the pool alive across iterations, as the runtime's global
// matrices do in any real program; otherwise every return would release the whole pool.
struct PoolHold {
  void* chunk = newFS();
  ~PoolHold() { deleteFS(chunk); }
};

void BM_MallocFree256(benchmark::State& state) {
  for (auto _ : state) {
    void* p = std::malloc(fs_chunk_bytes);
    benchmark::DoNotOptimize(p);
    std::free(p);
  }
}
BENCHMARK(BM_MallocFree256);

void BM_PoolChunkTakeReturn(benchmark::State& state) {
  PoolHold hold;
  for (auto _ : state) {
    void* p = newFS();
    benchmark::DoNotOptimize(p);
    deleteFS(p);
  }
}
BENCHMARK(BM_PoolChunkTakeReturn);

// Many temporaries alive at once, as in a long expression: take 32 chunks, then return them.
constexpr int batch = 32;

void BM_MallocFree256Batch32(benchmark::State& state) {
  void* held[batch];
  for (auto _ : state) {
    for (void*& p : held) p = std::malloc(fs_chunk_bytes);
    benchmark::DoNotOptimize(held);
    for (void* p : held) std::free(p);
  }
}
BENCHMARK(BM_MallocFree256Batch32);

void BM_PoolChunkTakeReturnBatch32(benchmark::State& state) {
  PoolHold hold;
  void* held[batch];
  for (auto _ : state) {
    for (void*& p : held) p = newFS();
    benchmark::DoNotOptimize(held);
    for (void* p : held) deleteFS(p);
  }
}
BENCHMARK(BM_PoolChunkTakeReturnBatch32);

void BM_MatrixScalarCreateDestroy(benchmark::State& state) {
  PoolHold hold;
  for (auto _ : state) {
    M<double> a(1.5);
    benchmark::DoNotOptimize(a.addr());
  }
}
BENCHMARK(BM_MatrixScalarCreateDestroy);

void BM_MatrixScalarShareCopy(benchmark::State& state) {
  const M<double> a(1.5);
  for (auto _ : state) {
    M<double> b(a);
    benchmark::DoNotOptimize(b.addr());
  }
}
BENCHMARK(BM_MatrixScalarShareCopy);

void BM_MatrixScalarAssign(benchmark::State& state) {
  const M<double> a(1.5);
  M<double> b;
  for (auto _ : state) {
    b = a;
    benchmark::DoNotOptimize(b.addr());
  }
}
BENCHMARK(BM_MatrixScalarAssign);

}  // namespace

BENCHMARK_MAIN();

#include "solver/search.h"

#include <algorithm>
#include <barrier>
#include <memory>
#include <mutex>
#include <thread>

#include "solver/block_moves.h"
#include "solver/codec.h"
#include "solver/estimator.h"
#include "solver/position.h"

namespace quorel::solver {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kNoNode = 0xffffffffU;
constexpr int kDead = Estimator::kDead;
constexpr int kUnsolved = kNoCeiling;
// A node's bound is the full one once this bit is set.
constexpr std::uint16_t kFullBound = 0x8000;

// Every position kept, in chunks that never move: its key, the best known count of block
// moves to it (g), its bound (h), the position it was reached from and the move.
class NodeStore {
 public:
  static constexpr int kChunkBits = 14;
  static constexpr std::uint32_t kChunkNodes = 1U << kChunkBits;

  explicit NodeStore(int keyWords) : keyWords_(keyWords), directory_(new Chunk*[kMaxChunks]()) {}
  ~NodeStore() {
    for (std::uint32_t i = 0; i < chunkCount_; ++i) delete directory_[i];
  }

  // A fresh chunk for one thread to fill; returns its first node.
  std::uint32_t newChunk() {
    const std::lock_guard lock(mutex_);
    if (chunkCount_ >= kMaxChunks) return kNoNode;
    directory_[chunkCount_] = new Chunk(keyWords_);
    return chunkCount_++ << kChunkBits;
  }

  std::uint64_t* key(std::uint32_t n) { return &chunk(n).keys[static_cast<std::size_t>(offset(n)) * keyWords_]; }
  std::atomic<std::uint16_t>& g(std::uint32_t n) { return chunk(n).g[offset(n)]; }
  std::atomic<std::uint16_t>& h(std::uint32_t n) { return chunk(n).h[offset(n)]; }
  std::uint32_t& parent(std::uint32_t n) { return chunk(n).parent[offset(n)]; }
  std::uint16_t& move(std::uint32_t n) { return chunk(n).move[offset(n)]; }

  std::size_t bytes() const {
    return static_cast<std::size_t>(chunkCount_) * kChunkNodes * (keyWords_ * 8 + 10) +
           kMaxChunks * sizeof(Chunk*);
  }

 private:
  static constexpr std::uint32_t kMaxChunks = 1U << (32 - kChunkBits);
  struct Chunk {
    explicit Chunk(int keyWords)
        : keys(new std::uint64_t[static_cast<std::size_t>(kChunkNodes) * keyWords]),
          g(new std::atomic<std::uint16_t>[kChunkNodes]),
          h(new std::atomic<std::uint16_t>[kChunkNodes]),
          parent(new std::uint32_t[kChunkNodes]),
          move(new std::uint16_t[kChunkNodes]) {}
    std::unique_ptr<std::uint64_t[]> keys;
    std::unique_ptr<std::atomic<std::uint16_t>[]> g;
    std::unique_ptr<std::atomic<std::uint16_t>[]> h;
    std::unique_ptr<std::uint32_t[]> parent;
    std::unique_ptr<std::uint16_t[]> move;
  };
  Chunk& chunk(std::uint32_t n) { return *directory_[n >> kChunkBits]; }
  static std::uint32_t offset(std::uint32_t n) { return n & (kChunkNodes - 1); }

  int keyWords_;
  std::unique_ptr<Chunk*[]> directory_;
  std::uint32_t chunkCount_ = 0;
  std::mutex mutex_;
};

// The transposition table: open addressing over node numbers, each slot tagged with half of
// the key's hash so that most probes never touch a key. Threads insert with one compare and
// swap; the table grows only between slices of work, when no thread is inside.
class StateTable {
 public:
  StateTable(const Codec& codec, NodeStore& store) : codec_(codec), store_(store) { allocate(std::size_t{1} << 16); }

  std::uint32_t find(std::uint64_t hash, const std::uint64_t* key) const {
    const std::uint64_t tag = hash >> 32;
    for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
      const std::uint64_t slot = slots_[i].load(std::memory_order_acquire);
      if (slot == kEmpty) return kNoNode;
      const auto node = static_cast<std::uint32_t>(slot);
      if ((slot >> 32) == tag && std::equal(key, key + codec_.words(), store_.key(node))) return node;
    }
  }

  // Inserts a node whose key is written; returns kNoNode, or the node already holding the key.
  std::uint32_t insert(std::uint64_t hash, std::uint32_t node) {
    const std::uint64_t tag = hash >> 32;
    const std::uint64_t* key = store_.key(node);
    const std::uint64_t mine = (tag << 32) | node;
    for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
      std::uint64_t slot = slots_[i].load(std::memory_order_acquire);
      if (slot == kEmpty) {
        if (slots_[i].compare_exchange_strong(slot, mine, std::memory_order_acq_rel)) return kNoNode;
      }
      const auto other = static_cast<std::uint32_t>(slot);
      if ((slot >> 32) == tag && std::equal(key, key + codec_.words(), store_.key(other))) return other;
    }
  }

  void prefetch(std::uint64_t hash) const {
#if defined(__GNUC__)
    __builtin_prefetch(&slots_[hash & mask_]);
#else
    (void)hash;
#endif
  }

  // Makes room for `more` insertions at a load of at most one half.
  void reserve(std::size_t filled, std::size_t more) {
    const std::size_t capacity = capacityFor(filled, more);
    if (capacity == capacity_) return;
    auto old = std::move(slots_);
    const std::size_t oldCapacity = capacity_;
    allocate(capacity);
    for (std::size_t i = 0; i < oldCapacity; ++i) {
      const std::uint64_t slot = old[i].load(std::memory_order_relaxed);
      if (slot == kEmpty) continue;
      const std::uint64_t hash = codec_.hash(store_.key(static_cast<std::uint32_t>(slot)));
      std::size_t j = hash & mask_;
      while (slots_[j].load(std::memory_order_relaxed) != kEmpty) j = (j + 1) & mask_;
      slots_[j].store(slot, std::memory_order_relaxed);
    }
  }

  std::size_t bytes() const { return capacity_ * sizeof(std::uint64_t); }
  // What reserve() would add.
  std::size_t growthBytes(std::size_t filled, std::size_t more) const {
    return (capacityFor(filled, more) - capacity_) * sizeof(std::uint64_t);
  }

 private:
  std::size_t capacityFor(std::size_t filled, std::size_t more) const {
    std::size_t capacity = capacity_;
    while ((filled + more) * 2 > capacity) capacity *= 2;
    return capacity;
  }
  static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};
  void allocate(std::size_t capacity) {
    capacity_ = capacity;
    mask_ = capacity - 1;
    slots_.reset(new std::atomic<std::uint64_t>[capacity]);
    for (std::size_t i = 0; i < capacity; ++i) slots_[i].store(kEmpty, std::memory_order_relaxed);
  }

  const Codec& codec_;
  NodeStore& store_;
  std::unique_ptr<std::atomic<std::uint64_t>[]> slots_;
  std::size_t capacity_ = 0;
  std::size_t mask_ = 0;
};

struct Goal {
  int cost = kUnsolved;
  std::uint32_t parent = kNoNode;
  std::uint16_t move = 0;
};

// Positions waiting to be expanded, by f (the bound of a whole solution through them) and g.
class OpenLists {
 public:
  void push(int f, int g, std::uint32_t node) {
    if (static_cast<int>(lists_.size()) <= f) lists_.resize(static_cast<std::size_t>(f) + 1);
    auto& byG = lists_[static_cast<std::size_t>(f)];
    if (static_cast<int>(byG.size()) <= g) byG.resize(static_cast<std::size_t>(g) + 1);
    byG[static_cast<std::size_t>(g)].push_back(node);
    ++size_;
  }
  // The lowest f with a position waiting at or above `from`, or -1.
  int lowestF(int from) const {
    for (int f = from; f < static_cast<int>(lists_.size()); ++f) {
      for (const auto& nodes : lists_[static_cast<std::size_t>(f)]) {
        if (!nodes.empty()) return f;
      }
    }
    return -1;
  }
  int highestG(int f) const {
    if (f >= static_cast<int>(lists_.size())) return -1;
    const auto& byG = lists_[static_cast<std::size_t>(f)];
    for (int g = static_cast<int>(byG.size()) - 1; g >= 0; --g) {
      if (!byG[static_cast<std::size_t>(g)].empty()) return g;
    }
    return -1;
  }
  void takeInto(int f, int g, std::vector<std::uint32_t>& out) {
    if (f >= static_cast<int>(lists_.size()) || g >= static_cast<int>(lists_[static_cast<std::size_t>(f)].size())) return;
    auto& nodes = lists_[static_cast<std::size_t>(f)][static_cast<std::size_t>(g)];
    out.insert(out.end(), nodes.begin(), nodes.end());
    size_ -= nodes.size();
    std::vector<std::uint32_t>().swap(nodes);
  }
  std::size_t bytes() const { return size_ * sizeof(std::uint32_t); }

 private:
  std::vector<std::vector<std::vector<std::uint32_t>>> lists_;
  std::size_t size_ = 0;
};

class Search {
 public:
  Search(const Layout& layout, const Control& control, int ceiling, const Progress& before)
      : layout_(layout),
        control_(control),
        ceiling_(ceiling),
        before_(before),
        codec_(layout),
        store_(codec_.words()),
        table_(codec_, store_),
        threadCount_(threadsFor(control.limits.threads)),
        maxChildren_(4 * std::max<std::size_t>(1, layout.initialBlocks().size())) {
    for (int i = 0; i < threadCount_; ++i) workers_.push_back(std::make_unique<Worker>(layout, codec_.words()));
  }

  SearchOutcome run();

 private:
  static constexpr std::size_t kSliceNodes = 1024;
  static constexpr std::size_t kParallelFrom = 32;
  static constexpr std::size_t kGrain = 8;

  struct Worker {
    Worker(const Layout& layout, int keyWords) : estimator(layout), moves(layout), key(static_cast<std::size_t>(keyWords)) {}
    Estimator estimator;
    BlockMoves moves;
    OpenLists open;
    Goal goal;
    std::uint32_t nextNode = kNoNode;  // the next free node of this thread's chunk
    std::uint32_t chunkEnd = kNoNode;
    std::uint64_t expanded = 0;
    std::uint64_t stored = 0;
    bool outOfNodes = false;
    Position position, child;
    std::vector<std::uint64_t> key;
    struct Child {
      std::uint64_t hash;
      std::uint16_t move;
    };
    std::vector<Child> children;           // of the position being expanded
    std::vector<std::uint64_t> childKeys;  // their keys, one after another
  };

  static int threadsFor(int wanted) {
    if (wanted > 0) return wanted;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  }

  void expand(Worker& w, std::uint32_t node, int g, int f);
  int offer(Worker& w, const std::uint64_t* key, std::uint64_t hash, int g, int f, std::uint32_t parent,
            std::uint16_t move);
  void improve(Worker& w, std::uint32_t node, int g, int f, std::uint32_t parent, std::uint16_t move);
  std::uint32_t reserveNode(Worker& w);
  void workOnSlice(Worker& w);
  std::vector<BlockMove> movesTo(const Goal& goal);
  std::uint64_t stored() const;
  std::size_t memoryBytes() const;
  Progress progress() const;
  StopReason limitReached();
  bool roomForSlice(std::size_t nodes) const;

  const Layout& layout_;
  const Control& control_;
  const int ceiling_;  // only clears with fewer block moves are wanted
  const Progress before_;
  Codec codec_;
  NodeStore store_;
  StateTable table_;
  int threadCount_;
  std::size_t maxChildren_;
  std::vector<std::unique_ptr<Worker>> workers_;
  Clock::time_point started_ = Clock::now();
  int lowerBound_ = 0;
  std::size_t peakMemory_ = 0;
  std::atomic<bool> optimalFound_{false};

  // The slice being worked on by every thread.
  std::vector<std::uint32_t> layer_;
  std::size_t sliceEnd_ = 0;
  std::atomic<std::size_t> sliceNext_{0};
  int layerF_ = 0, layerG_ = 0;
};

// The next free node of the thread's own chunk, a fresh chunk when that is full; kNoNode when
// the node numbers are used up.
std::uint32_t Search::reserveNode(Worker& w) {
  if (w.nextNode == w.chunkEnd) {
    w.nextNode = store_.newChunk();
    if (w.nextNode == kNoNode) {
      w.outOfNodes = true;
      w.chunkEnd = kNoNode;
      return kNoNode;
    }
    w.chunkEnd = w.nextNode + NodeStore::kChunkNodes;
  }
  return w.nextNode;
}

void Search::expand(Worker& w, std::uint32_t node, int g, int f) {
  if (store_.g(node).load(std::memory_order_relaxed) != g) return;  // reached more cheaply since
  Position& p = w.position;
  codec_.decode(store_.key(node), p);
  // The full bound is worked out only for positions taken up; one it lifts waits for its turn.
  const std::uint16_t known = store_.h(node).load(std::memory_order_relaxed);
  if ((known & kFullBound) == 0) {
    const std::uint16_t move = store_.move(node);
    const int changed = store_.parent(node) == kNoNode ? -1 : layout_.neighbour(move / 4, move % 4);
    const int h = std::max<int>(known, w.estimator.fullBound(p, changed));
    store_.h(node).store(static_cast<std::uint16_t>(h | kFullBound), std::memory_order_relaxed);
    if (h == kDead || g + h >= ceiling_) return;
    if (g + h > f) {
      w.open.push(g + h, g, node);
      return;
    }
  } else if ((known & ~kFullBound) == kDead) {
    return;
  }
  ++w.expanded;
  w.moves.forEach(p, [&](const Position& c, std::uint16_t move, bool cleared) {
    if (cleared) {
      if (g + 1 < std::min(w.goal.cost, ceiling_)) w.goal = {g + 1, node, move};
      // Nothing can beat a clear as cheap as the layer's bound.
      if (g + 1 <= f) optimalFound_.store(true, std::memory_order_relaxed);
      return true;
    }
    // The table is probed once every child is known, its slots fetched from memory meanwhile.
    const std::size_t at = w.childKeys.size();
    w.childKeys.resize(at + static_cast<std::size_t>(codec_.words()));
    codec_.encode(c, &w.childKeys[at]);
    const std::uint64_t hash = codec_.hash(&w.childKeys[at]);
    table_.prefetch(hash);
    w.children.push_back({hash, move});
    return !optimalFound_.load(std::memory_order_relaxed);
  });
  int deferred = kUnsolved;
  for (std::size_t k = 0; k < w.children.size(); ++k) {
    deferred = std::min(deferred, offer(w, &w.childKeys[k * static_cast<std::size_t>(codec_.words())],
                                        w.children[k].hash, g + 1, f, node, w.children[k].move));
  }
  w.children.clear();
  w.childKeys.clear();
  // Children above the layer are not kept: the position itself waits at the lowest of their
  // bounds and makes them again then. Each is kept when the search reaches its bound, as if it
  // had been kept now, and most never are, for the search ends first: this keeps the table to
  // the positions the layers reached rather than all of their children.
  if (deferred < kUnsolved && !optimalFound_.load(std::memory_order_relaxed)) w.open.push(deferred, g, node);
}

// Keeps a child within the layer's bound f; returns the bound of one left for later, else
// kUnsolved.
int Search::offer(Worker& w, const std::uint64_t* key, std::uint64_t hash, int g, int f, std::uint32_t parent,
                  std::uint16_t move) {
  if (const std::uint32_t known = table_.find(hash, key); known != kNoNode) {
    improve(w, known, g, f, parent, move);
    return kUnsolved;
  }
  codec_.decode(key, w.child);
  const int h = w.estimator.quickBound(w.child);
  if (h == kDead || g + h >= ceiling_) return kUnsolved;
  if (g + h > f) return g + h;
  const std::uint32_t node = reserveNode(w);
  if (node == kNoNode) return kUnsolved;
  std::copy(key, key + codec_.words(), store_.key(node));
  store_.g(node).store(static_cast<std::uint16_t>(g), std::memory_order_relaxed);
  store_.h(node).store(static_cast<std::uint16_t>(h), std::memory_order_relaxed);
  store_.parent(node) = parent;
  store_.move(node) = move;
  if (const std::uint32_t other = table_.insert(hash, node); other != kNoNode) {
    improve(w, other, g, f, parent, move);
    return kUnsolved;
  }
  ++w.nextNode;
  ++w.stored;
  w.open.push(f, g, node);
  return kUnsolved;
}

// A position already kept is reached again; with fewer moves it is taken up again from here.
void Search::improve(Worker& w, std::uint32_t node, int g, int f, std::uint32_t parent, std::uint16_t move) {
  auto& known = store_.g(node);
  std::uint16_t current = known.load(std::memory_order_relaxed);
  while (g < current) {
    if (known.compare_exchange_weak(current, static_cast<std::uint16_t>(g), std::memory_order_relaxed)) {
      store_.parent(node) = parent;
      store_.move(node) = move;
      w.open.push(std::max(f, g + (store_.h(node).load(std::memory_order_relaxed) & ~kFullBound)), g, node);
      return;
    }
  }
}

void Search::workOnSlice(Worker& w) {
  for (;;) {
    const std::size_t begin = sliceNext_.fetch_add(kGrain, std::memory_order_relaxed);
    if (begin >= sliceEnd_) return;
    const std::size_t end = std::min(sliceEnd_, begin + kGrain);
    for (std::size_t i = begin; i < end && !optimalFound_.load(std::memory_order_relaxed); ++i) {
      expand(w, layer_[i], layerG_, layerF_);
    }
  }
}

std::uint64_t Search::stored() const {
  std::uint64_t n = 0;
  for (const auto& w : workers_) n += w->stored;
  return n;
}

std::size_t Search::memoryBytes() const {
  std::size_t bytes = store_.bytes() + table_.bytes() + layer_.capacity() * sizeof(std::uint32_t);
  for (const auto& w : workers_) bytes += w->open.bytes() + w->estimator.memoryBytes();
  return bytes;
}

Progress Search::progress() const {
  Progress p = before_;
  for (const auto& w : workers_) p.statesExpanded += w->expanded;
  p.statesStored += stored();
  p.elapsed += std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started_);
  p.lowerBound = lowerBound_;
  p.memoryBytes = memoryBytes();
  return p;
}

StopReason Search::limitReached() {
  const Limits& limits = control_.limits;
  if (control_.cancel != nullptr && control_.cancel->load(std::memory_order_relaxed)) return StopReason::Cancelled;
  if (limits.time.count() > 0 && Clock::now() - started_ >= limits.time) return StopReason::TimeLimit;
  if (limits.states > 0 && stored() >= limits.states) return StopReason::StateLimit;
  for (const auto& w : workers_) {
    if (w->outOfNodes) return StopReason::MemoryLimit;
  }
  const std::size_t bytes = memoryBytes();
  peakMemory_ = std::max(peakMemory_, bytes);
  if (limits.memoryBytes > 0 && bytes >= limits.memoryBytes) return StopReason::MemoryLimit;
  return StopReason::None;
}

// Whether the table can grow for a slice's children within the memory limit.
bool Search::roomForSlice(std::size_t nodes) const {
  const std::size_t limit = control_.limits.memoryBytes;
  return limit == 0 || memoryBytes() + table_.growthBytes(stored(), nodes * maxChildren_) <= limit;
}

std::vector<BlockMove> Search::movesTo(const Goal& goal) {
  std::vector<BlockMove> moves;
  std::uint16_t move = goal.move;
  for (std::uint32_t node = goal.parent;; node = store_.parent(node)) {
    const int cell = move / 4;
    moves.push_back({columnOf(cell), rowOf(cell), move % 4});
    if (store_.parent(node) == kNoNode) break;
    move = store_.move(node);
  }
  std::reverse(moves.begin(), moves.end());
  return moves;
}

SearchOutcome Search::run() {
  SearchOutcome outcome;
  const Position start = startPosition(layout_);
  Worker& main = *workers_[0];
  const int h = start.count < 2 ? kDead : main.estimator.fullBound(start);
  if (h != kDead) lowerBound_ = h;
  if (h == kDead || h >= ceiling_) {
    outcome.answer = Answer::NoSolution;
    outcome.counts = progress();
    outcome.peakMemoryBytes = memoryBytes();
    return outcome;
  }
  std::uint64_t* key = main.key.data();
  codec_.encode(start, key);
  const std::uint32_t root = reserveNode(main);
  ++main.nextNode;
  std::copy(key, key + codec_.words(), store_.key(root));
  store_.g(root).store(0);
  store_.h(root).store(static_cast<std::uint16_t>(h | kFullBound));
  store_.parent(root) = kNoNode;
  store_.move(root) = 0;
  table_.insert(codec_.hash(key), root);
  main.stored = 1;
  main.open.push(h, 0, root);

  std::barrier sync(threadCount_);
  std::atomic<bool> finished{false};
  std::vector<std::jthread> helpers;
  for (int i = 1; i < threadCount_; ++i) {
    helpers.emplace_back([this, i, &sync, &finished] {
      for (;;) {
        sync.arrive_and_wait();
        if (finished.load()) return;
        workOnSlice(*workers_[static_cast<std::size_t>(i)]);
        sync.arrive_and_wait();
      }
    });
  }

  Goal best;
  StopReason stop = StopReason::None;
  auto lastReport = Clock::now();
  int f = h;
  for (;;) {
    int lowest = -1;
    for (const auto& w : workers_) {
      const int wf = w->open.lowestF(f);
      if (wf >= 0 && (lowest < 0 || wf < lowest)) lowest = wf;
    }
    for (const auto& w : workers_) {
      if (w->goal.cost < best.cost) best = w->goal;
    }
    if (lowest < 0 || best.cost <= lowest) break;
    f = lowest;
    lowerBound_ = f;
    int g = -1;
    for (const auto& w : workers_) g = std::max(g, w->open.highestG(f));
    layer_.clear();
    for (const auto& w : workers_) w->open.takeInto(f, g, layer_);
    layerF_ = f;
    layerG_ = g;
    for (std::size_t begin = 0; begin < layer_.size() && stop == StopReason::None; begin += kSliceNodes) {
      const std::size_t end = std::min(layer_.size(), begin + kSliceNodes);
      stop = limitReached();
      if (stop == StopReason::None && !roomForSlice(end - begin)) stop = StopReason::MemoryLimit;
      if (stop != StopReason::None) break;
      table_.reserve(stored(), (end - begin) * maxChildren_);
      sliceNext_.store(begin);
      sliceEnd_ = end;
      if (end - begin < kParallelFrom || threadCount_ == 1) {
        workOnSlice(main);
      } else {
        sync.arrive_and_wait();
        workOnSlice(main);
        sync.arrive_and_wait();
      }
      if (control_.progress && Clock::now() - lastReport >= control_.progressInterval) {
        lastReport = Clock::now();
        control_.progress(progress());
      }
      if (optimalFound_.load()) break;
    }
    if (stop != StopReason::None) break;
  }
  finished.store(true);
  sync.arrive_and_wait();
  helpers.clear();

  for (const auto& w : workers_) {
    if (w->goal.cost < best.cost) best = w->goal;
  }
  outcome.counts = progress();
  peakMemory_ = std::max(peakMemory_, memoryBytes());
  outcome.peakMemoryBytes = peakMemory_;
  if (stop != StopReason::None && best.cost == kUnsolved) {
    outcome.stop = stop;
    return outcome;
  }
  if (best.cost == kUnsolved) {
    outcome.answer = Answer::NoSolution;
    return outcome;
  }
  if (stop != StopReason::None) {
    // A solution is known but not proved the shortest.
    outcome.stop = stop;
    outcome.moves = movesTo(best);
    return outcome;
  }
  outcome.answer = Answer::Solved;
  outcome.moves = movesTo(best);
  outcome.counts.lowerBound = best.cost;
  return outcome;
}

}  // namespace

SearchOutcome searchFewestMoves(const Layout& layout, const Control& control, int ceiling, const Progress& before) {
  Search search(layout, control, ceiling, before);
  return search.run();
}

}  // namespace quorel::solver

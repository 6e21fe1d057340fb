// Replaced by the simulated phone.
namespace {
[[maybe_unused]] int placeholder = 0;
}

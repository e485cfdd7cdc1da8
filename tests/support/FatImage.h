#pragma once
// FAT images for tests of the card copy: made by mkfs.fat, mounted with the user-space driver
// fusefat so that this process writes through a real FAT driver, read back with mtools.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ovb::test {

// Empty when this process may mount a FAT image here; else why not, for a skip.
std::string FatMountUnavailable();

// A sparse image file of the given size, formatted with mkfs.fat -F fatBits. Throws on failure.
void MakeFatImage(const std::filesystem::path& image, std::uint64_t bytes, unsigned fatBits,
                  const std::string& label = "", unsigned sectorsPerCluster = 0);

// The image mounted read-write by fusefat (run in the foreground as a child of this process)
// for the lifetime of the object.
class FatMount {
  public:
    FatMount(const std::filesystem::path& image, const std::filesystem::path& mountPoint);
    ~FatMount();
    FatMount(const FatMount&) = delete;
    FatMount& operator=(const FatMount&) = delete;

    bool mounted() const { return mounted_; }
    const std::filesystem::path& point() const { return point_; }
    // Unmounts and waits until the driver has ended, so the image holds everything written.
    bool unmount();

  private:
    std::filesystem::path point_;
    int pid_ = -1;
    bool mounted_ = false;
};

// The entries of a folder of the image as mtools lists them ("::/NAME", folders end in '/').
std::vector<std::string> ImageFolder(const std::filesystem::path& image,
                                     const std::string& folder = "::/");
// A file of the image ("::/NAME") as mtools reads it.
std::vector<std::uint8_t> ImageFile(const std::filesystem::path& image, const std::string& file);

} // namespace ovb::test

#include "platform/memory/resident.h"

#include <elf.h>
#include <link.h>
#include <malloc.h>
#include <sys/auxv.h>
#include <sys/mman.h>
#include <unistd.h>

namespace plat {
namespace {

// Whether an object asked for relocations in its read-only segments: then
// their pages hold relocated values of their own and must stay.
bool has_text_relocations(const dl_phdr_info* info) {
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info->dlpi_phdr[i];
        if (ph.p_type != PT_DYNAMIC) continue;
        for (auto* d = reinterpret_cast<const ElfW(Dyn)*>(info->dlpi_addr + ph.p_vaddr);
             d->d_tag != DT_NULL; ++d) {
            if (d->d_tag == DT_TEXTREL) return true;
            if (d->d_tag == DT_FLAGS && (d->d_un.d_val & DF_TEXTREL)) return true;
        }
    }
    return false;
}

int trim_object(dl_phdr_info* info, std::size_t, void* data) {
    auto& total = *static_cast<std::int64_t*>(data);
    // The kernel's own shared object is not a file's pages.
    if (info->dlpi_addr != 0 && info->dlpi_addr == getauxval(AT_SYSINFO_EHDR)) return 0;
    if (has_text_relocations(info)) return 0;
    const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info->dlpi_phdr[i];
        if (ph.p_type != PT_LOAD || (ph.p_flags & PF_W) || ph.p_memsz == 0) continue;
        // Whole pages only: a page shared with a neighbouring segment stays.
        const std::uintptr_t start = (info->dlpi_addr + ph.p_vaddr + page - 1) / page * page;
        const std::uintptr_t end = (info->dlpi_addr + ph.p_vaddr + ph.p_filesz) / page * page;
        if (end <= start) continue;
        if (madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED) == 0)
            total += static_cast<std::int64_t>(end - start);
    }
    return 0;
}

}  // namespace

std::int64_t trim_resident_pages() {
    std::int64_t dropped = 0;
    // The loader's lock is held while its list is walked: no library is
    // being mapped or relocated meanwhile.
    dl_iterate_phdr(trim_object, &dropped);
    malloc_trim(0);
    return dropped;
}

}  // namespace plat

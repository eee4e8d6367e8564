// Mutated archives: every input is either read or refused with one of the archive's own
// errors; none crashes, hangs, allocates without bound or leaks.

#include <gtest/gtest.h>

#include <random>

#include "ArchiveFixtures.h"
#include "MutationSupport.h"
#include "TestSupport.h"
#include "VectorLists.h"

namespace {

std::vector<AnsiString> ValidArchives() {
    RegisterArchiveRecords();
    std::vector<AnsiString> corpus;
    TPersistentObjectList list;
    auto* affine = new TAffineVectorList;
    affine->AddXYZ(1, 2, 3);
    affine->AddXYZ(4, 5, 6);
    auto* singles = new TSingleList;
    singles->Add(0.5f);
    auto* vectors = new TVectorList;
    vectors->AddXYZ(7, 8, 9);
    auto* texPoints = new TTexPointList;
    texPoints->Add(0.25f, 0.75f);
    list.Add(affine);
    list.Add(nullptr);
    list.Add(singles);
    list.Add(new TArchiveRecord(AnsiString(300, 'n'), 123456));
    list.Add(new TDoubleList);
    list.Add(vectors);
    list.Add(texPoints);
    list.Add(new TSingleList);
    list.Add(new TOtherRecord("o", -5));
    corpus.push_back(list.SaveToString());
    corpus.push_back(affine->SaveToString());
    corpus.push_back(singles->SaveToString());
    list.Clean();
    corpus.push_back(list.SaveToString());

    // The reader's other string forms, inside a list.
    corpus.push_back(Bytes({2, 0, 1, 18, 11, 0, 0, 0}) + AnsiString("T\0S\0i\0n\0g\0l\0e\0L\0i\0s\0t\0", 22) +
                     Bytes({2, 0, 2, 0, 2, 4, 20, 11, 0, 0, 0}) + "TSingleList" + Bytes({2, 0, 2, 0, 2, 4, 0}));
    return corpus;
}

// Reads data into a list and into each typed list; true when the list read it.
bool ReadEverywhere(const AnsiString& data, int& refusals) {
    bool listRead = false;
    auto attempt = [&](TPersistentObject& target) {
        try {
            target.LoadFromString(data);
            return true;
        } catch (const EReadError&) {
        } catch (const EFilerException&) {  // unknown archive version
        } catch (const EListError&) {       // class position outside the class table
        } catch (const EClassNotFound&) {
        } catch (const Exception& e) {
            if (e.Message() != L"Broken ObjectList archive") throw;
        }
        ++refusals;
        return false;
    };
    TArchiveRecord::readOrder.clear();  // grows with every record read
    TPersistentObjectList list;
    listRead = attempt(list);
    list.Clean();
    TAffineVectorList affine;
    attempt(affine);
    TSingleList singles;
    attempt(singles);
    return listRead;
}

TEST(ArchiveMutation, MutatedArchivesAreReadOrRefused) {
    const std::vector<AnsiString> corpus = ValidArchives();
    std::mt19937 random(20261210);
    int inputs = 0, refusals = 0, read = 0;
    int records = TArchiveRecord::live;

    auto run = [&](const AnsiString& data) {
        ++inputs;
        if (ReadEverywhere(data, refusals)) ++read;
    };
    auto pass = [&]() {
        for (const AnsiString& valid : corpus) {
            ASSERT_TRUE(ReadEverywhere(valid, refusals) || valid.size() < 40);
            // Every truncation.
            for (size_t n = 0; n < valid.size(); ++n) run(valid.substr(0, n));
            // Flipped bytes, one to three at a time.
            for (int k = 0; k < 2000; ++k) {
                AnsiString m = valid;
                int flips = 1 + int(random() % 3);
                for (int f = 0; f < flips; ++f) m[random() % m.size()] = char(random() % 256);
                run(m);
            }
            // Huge and negative 32-bit values written over every position.
            for (Integer big : {Integer(0x7FFFFFFF), Integer(0x80000000), Integer(-1), Integer(0x40000000)}) {
                for (size_t at = 0; at + 4 <= valid.size(); at += 3) {
                    AnsiString m = valid;
                    std::memcpy(m.data() + at, &big, 4);
                    run(m);
                    if (at > 0 && Byte(m[at - 1]) != atInt32) {
                        m[at - 1] = char(atInt32);  // make it a real 32-bit count
                        run(m);
                    }
                }
            }
        }
    };
    pass();  // warms up the heap and every lazily made structure
    size_t heapBefore = HeapInUse().bytes;
    int inputsBefore = inputs;
    pass();
    size_t heapAfter = HeapInUse().bytes;

    EXPECT_GE(inputs - inputsBefore, 10000);
    EXPECT_GT(refusals, 0);
    EXPECT_GT(read, 0);
    EXPECT_EQ(TArchiveRecord::live, records);
    EXPECT_LE(heapAfter, heapBefore + 16 * 1024) << "the second pass left memory behind";
}

}  // namespace

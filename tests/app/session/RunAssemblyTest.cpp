#include "session/RunAssembly.h"
#include "fakes/RunRig.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kelvra;
using namespace kelvra::testing;

namespace {

struct SampleCounter : RunRecorder {
	int runs = 0;
	int64_t samples = 0;
	bool ended = false;

	void runStarted(const ModuleData &) override { ++runs; }
	void sampleStored(int, std::optional<float>) override { ++samples; }
	void tickDone(const ModuleData &) override {}
	void runEnded(const ModuleData &) override { ended = true; }
};

} // namespace

// A guest joins both chains, journaled and recorded, and sees every sample kept.
TEST(RunAssembly, AGuestSeesEverySampleOfAJournaledRunAndOfALongRecording)
{
	QTemporaryDir folder;
	ASSERT_TRUE(folder.isValid());
	for (const bool longRecording : {false, true}) {
		RunRig rig;
		rig.useUnitZero();
		RunAssembly assembly(rig.md, rig.run);
		SampleCounter guest;
		assembly.addGuest(&guest);
		RunPlan plan;
		plan.longRecording = longRecording;
		plan.target = folder.path();
		plan.targetIsFolder = true;
		plan.sampleLimit = 300;
		assembly.assemble(plan);
		rig.run.startRun();
		ASSERT_EQ(kTrue, rig.md.MeasFlag);
		for (int tick = 0; tick < 50 && !assembly.endReached(); ++tick)
			longRecording ? rig.run.longRecordingTick() : rig.run.blockTick();
		EXPECT_TRUE(assembly.endReached()) << longRecording;
		rig.run.stopRun();
		EXPECT_EQ(1, guest.runs) << longRecording;
		EXPECT_TRUE(guest.ended) << longRecording;
		EXPECT_GE(guest.samples, 300) << longRecording;
		EXPECT_EQ(longRecording, assembly.recording() != nullptr);
	}
}

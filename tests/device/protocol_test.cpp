#include "protocol.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace varnelio::protocol;

namespace {

std::vector<uint8_t> bytes(std::initializer_list<int> list)
{
	std::vector<uint8_t> out;
	for (int b : list)
		out.push_back(static_cast<uint8_t>(b));
	return out;
}

Decoder decoder16(double adj = 0.0)
{
	return Decoder{UnitKind::Counts16, 0.0, 0, adj};
}

Decoder decoder24(uint32_t span, uint32_t zero, double adj = 0.0)
{
	return Decoder{UnitKind::Counts24, 12000.0 / span, static_cast<int32_t>(zero), adj};
}

} // namespace

TEST(Protocol, CommandBytesAndReplySizes)
{
	const auto start = buildStart(300);
	EXPECT_EQ(bytes({0x20, 0x01, 0x2C}),
			std::vector<uint8_t>(start.view().begin(), start.view().end()));
	const auto block = buildBlock(128);
	EXPECT_EQ(bytes({0x30, 0x80}),
			std::vector<uint8_t>(block.view().begin(), block.view().end()));
	EXPECT_EQ(1u, buildCommand(Command::Identify).size);
	EXPECT_EQ(0xF0, buildCommand(Command::Identify).bytes[0]);

	EXPECT_EQ(2u, replySize(Command::Single, UnitKind::Counts16));
	EXPECT_EQ(3u, replySize(Command::Single, UnitKind::Counts24));
	EXPECT_EQ(600u, replySize(Command::Block, UnitKind::Counts16));
	EXPECT_EQ(800u, replySize(Command::Block, UnitKind::Counts24));
	EXPECT_EQ(7u, replySize(Command::Calib, UnitKind::Counts24));
	EXPECT_EQ(0u, replySize(Command::Start, UnitKind::Counts16));
}

TEST(Protocol, SixteenBitCountsAreLittleEndianAroundMidScale)
{
	const Decoder plain = decoder16();
	EXPECT_DOUBLE_EQ(0.0,
			plain.toMicrostrain(*decodeSingleCount(
					bytes({0x00, 0x80}), UnitKind::Counts16)));
	EXPECT_DOUBLE_EQ(8191.75,
			plain.toMicrostrain(*decodeSingleCount(
					bytes({0xFF, 0xFF}), UnitKind::Counts16)));
	EXPECT_DOUBLE_EQ(-8192.0,
			plain.toMicrostrain(*decodeSingleCount(
					bytes({0x00, 0x00}), UnitKind::Counts16)));
	EXPECT_DOUBLE_EQ(-12.5, decoder16(12.5).toMicrostrain(0x8000));
}

TEST(Protocol, TwentyFourBitCountsAreBigEndianAndScaledByCalibration)
{
	const auto calibration = decodeCalibration(bytes({0, 0x12, 0x4F, 0x80, 0x80, 0x00, 0x00}));
	ASSERT_TRUE(calibration);
	EXPECT_EQ(1200000u, calibration->span);
	EXPECT_EQ(8388608u, calibration->zero);

	const Decoder d = decoder24(calibration->span, calibration->zero, 100.0);
	EXPECT_DOUBLE_EQ(-100.0,
			d.toMicrostrain(*decodeSingleCount(
					bytes({0x80, 0x00, 0x00}), UnitKind::Counts24)));
	EXPECT_DOUBLE_EQ(11900.0, d.toMicrostrain(8388608 + 1200000));
	// Below the zero count the difference is signed.
	EXPECT_DOUBLE_EQ(-12100.0, d.toMicrostrain(8388608 - 1200000));
	EXPECT_FALSE(decodeSingleCount(bytes({0x80, 0x00}), UnitKind::Counts24));
	EXPECT_FALSE(decodeCalibration(bytes({0, 1, 2, 3})));
}

TEST(Protocol, IdentifyByteNamesSlotAndKind)
{
	const auto kind1Id1 = decodeIdentify(bytes({0, 0x05}));
	ASSERT_TRUE(kind1Id1);
	EXPECT_EQ(2, kind1Id1->slot);
	EXPECT_EQ(UnitKind::Counts24, kind1Id1->kind);

	const auto kind0Id1 = decodeIdentify(bytes({0, 0x01}));
	ASSERT_TRUE(kind0Id1);
	EXPECT_EQ(1, kind0Id1->slot);
	EXPECT_EQ(UnitKind::Counts16, kind0Id1->kind);

	EXPECT_EQ(3, decodeIdentify(bytes({0, 0x07}))->slot);
	EXPECT_EQ(0, decodeIdentify(bytes({0, 0x04}))->slot);
	EXPECT_FALSE(decodeIdentify(bytes({0, 0x08})))
			<< "a kind-0 info byte above 3 names no slot";
	EXPECT_FALSE(decodeIdentify(bytes({0, 0xF0})));
	EXPECT_FALSE(decodeIdentify(bytes({0})));

	for (int unit = 0; unit < 4; ++unit)
		EXPECT_EQ(unit, unitToSlot(unitToSlot(unit)));
	EXPECT_EQ(2, unitToSlot(1));
}

TEST(Protocol, BlockRepliesOfBothKinds)
{
	std::vector<uint8_t> reply16(600, 0);
	reply16[1] = 2;
	reply16[4] = 0x00, reply16[5] = 0x80, reply16[6] = 0x11;
	reply16[8] = 0x04, reply16[9] = 0x80, reply16[10] = 0x22;
	double values[128];
	uint8_t status[128];
	ASSERT_EQ(2u, decodeBlock(reply16, 128, decoder16(), values, status));
	EXPECT_DOUBLE_EQ(0.0, values[0]);
	EXPECT_DOUBLE_EQ(1.0, values[1]);
	EXPECT_EQ(0x11, status[0]);
	EXPECT_EQ(0x22, status[1]);

	std::vector<uint8_t> reply24(800, 0);
	reply24[1] = 1;
	reply24[5] = 0x80, reply24[6] = 0x00, reply24[7] = 0x0A, reply24[8] = 0x33;
	ASSERT_EQ(1u, decodeBlock(reply24, 128, decoder24(12000, 0x800000), values, status));
	EXPECT_DOUBLE_EQ(10.0, values[0]);
	EXPECT_EQ(0x33, status[0]);

	reply16[1] = 0;
	EXPECT_EQ(0u, decodeBlock(reply16, 128, decoder16(), values, status));
}

TEST(Protocol, BlockNeverYieldsMoreThanAskedOrReceived)
{
	std::vector<uint8_t> reply(600, 0);
	reply[1] = 200; // a unit that claims more than it could send
	double values[128];
	uint8_t status[128];
	EXPECT_EQ(30u, decodeBlock(reply, 30, decoder16(), values, status));
	EXPECT_EQ(128u, decodeBlock(reply, 128, decoder16(), values, status));

	reply[1] = 10;
	const std::span<const uint8_t> cut(
			reply.data(), 4 + 4 * 3 + 2); // three whole samples and a half
	EXPECT_EQ(3u, decodeBlock(cut, 128, decoder16(), values, status));
	EXPECT_EQ(0u,
			decodeBlock(std::span<const uint8_t>(reply.data(), 1), 128, decoder16(),
					values, status));
}

TEST(Protocol, HostileBlockRepliesStayInsideTheCallersArrays)
{
	std::mt19937 random(7);
	for (int round = 0; round < 2000; ++round) {
		std::vector<uint8_t> reply(random() % 801);
		for (auto &b : reply)
			b = static_cast<uint8_t>(random());
		const std::size_t asked = random() % 129;
		std::vector<double> values(asked + 1, -1.0);
		std::vector<uint8_t> status(asked + 1, 0xEE);
		const Decoder d = round % 2
				? decoder16()
				: decoder24(1 + random() % 0xFFFFFF, random() % 0xFFFFFF);
		const std::size_t count =
				decodeBlock(reply, asked, d, values.data(), status.data());
		ASSERT_LE(count, asked);
		EXPECT_EQ(-1.0, values[asked]) << "wrote past the samples asked for";
		EXPECT_EQ(0xEE, status[asked]);
	}
}
